#pragma once
// The platform layer on Qt: modal message boxes (warning, information, error) with one OK
// button, one pass of Qt's event processing, and the default display of an error that
// escaped an event handler (a modal error box with the message).
//
// While a TQtPlatform exists (between construction and destruction) it is the program's
// platform. The boxes are owned by the active window, if there is one, and carry the
// application's display name as their title.

#include <QString>

#include "Platform.h"

// The text as a message box shows it: the system's own line breaks (a single carriage
// return, or CR LF) become line breaks of the box.
QString TextoDaMensagem(const Text& text);

class TQtPlatform final : public TPlatform {
  public:
    TQtPlatform();
    ~TQtPlatform() override;
    TQtPlatform(const TQtPlatform&) = delete;
    TQtPlatform& operator=(const TQtPlatform&) = delete;

    void ShowMessageBox(TMessageKind kind, const Text& text) override;
    void ProcessMessages() override;
    void ShowUnhandledError(const Text& message) override;
};
