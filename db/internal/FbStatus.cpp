#include "FbStatus.h"

#include "CodePage.h"
#include "DatabaseError.h"

void ThrowStatus(const TStatus& status) {
    // The texts are joined by CR LF, none after a text that already ends in a line feed, and
    // one final full stop is dropped.
    Text message;
    const ISC_STATUS* pv = status.v;
    char buffer[1024];
    while (fb_interpret(buffer, sizeof buffer, &pv) > 0) {
        if (!message.empty() && message.back() != u'\n')
            message += u"\r\n";
        message += DecodeCp1252(buffer);
    }
    if (!message.empty() && message.back() == u'.')
        message.pop_back();
    ISC_LONG sqlCode = isc_sqlcode(status.v);
    throw EIBError(std::move(message), status.v[1], sqlCode);
}
