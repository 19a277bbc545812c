#pragma once
// What the window toolkit provides to everything above the database layer: modal message
// boxes with one OK button, one pass of pending-message processing, and the default display
// of an error that escapes an event handler.
//
// One platform is installed for the program (the window, the terminal runner, or a test's
// recorder). Until one is installed, messages go to standard error and nothing else happens.

#include "Text.h"

enum class TMessageKind { Warning, Information, Error };

class TPlatform {
  public:
    virtual ~TPlatform() = default;
    // Shows the message and returns when the operator has closed it.
    virtual void ShowMessageBox(TMessageKind kind, const Text& text) = 0;
    // Lets the window handle what is pending (repaint, input) once.
    virtual void ProcessMessages() = 0;
    // The default display of an error that escaped an event handler.
    virtual void ShowUnhandledError(const Text& message) = 0;
};

TPlatform& Platform();
// Installs `platform` (nullptr restores the default); the caller keeps ownership.
void SetPlatform(TPlatform* platform);

inline void ShowWarning(const Text& text) {
    Platform().ShowMessageBox(TMessageKind::Warning, text);
}
inline void ShowInformation(const Text& text) {
    Platform().ShowMessageBox(TMessageKind::Information, text);
}
inline void ShowError(const Text& text) {
    Platform().ShowMessageBox(TMessageKind::Error, text);
}
inline void ProcessMessages() {
    Platform().ProcessMessages();
}
