#include "DatabaseFile.h"

#include "CodePage.h"
#include "FbHandles.h"

void CreateDatabaseFile(const TNewDatabase& definition) {
    TDpb dpb;
    dpb.AddText(isc_dpb_user_name, EncodeCp1252(definition.user));
    dpb.AddText(isc_dpb_password, EncodeCp1252(definition.password));
    dpb.AddInt(isc_dpb_page_size, definition.pageSize);
    dpb.AddInt(isc_dpb_sql_dialect, definition.dialect);
    dpb.AddInt(isc_dpb_force_write, definition.forcedWrites ? 1 : 0);
    dpb.AddText(isc_dpb_set_db_charset, "NONE");
    TAttachmentHandle::Create(ToUtf8(definition.path), dpb).Detach();
}
