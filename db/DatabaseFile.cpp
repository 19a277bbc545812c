#include "DatabaseFile.h"

#include "CodePage.h"
#include "Internal.h"

namespace {
void AddString(std::string& dpb, char tag, const std::string& value) {
    dpb.push_back(tag);
    dpb.push_back(char(value.size()));
    dpb += value;
}
void AddInt(std::string& dpb, char tag, int value) {
    dpb.push_back(tag);
    dpb.push_back(4);
    for (int i = 0; i < 4; ++i)
        dpb.push_back(char((value >> (8 * i)) & 0xFF));
}
}  // namespace

void CreateDatabaseFile(const TNewDatabase& definition) {
    std::string dpb(1, char(isc_dpb_version1));
    AddString(dpb, isc_dpb_user_name, EncodeCp1252(definition.user));
    AddString(dpb, isc_dpb_password, EncodeCp1252(definition.password));
    AddInt(dpb, isc_dpb_page_size, definition.pageSize);
    AddInt(dpb, isc_dpb_sql_dialect, definition.dialect);
    AddInt(dpb, isc_dpb_force_write, definition.forcedWrites ? 1 : 0);
    AddString(dpb, isc_dpb_set_db_charset, "NONE");
    std::string file = ToUtf8(definition.path);
    TStatus st;
    isc_db_handle h = 0;
    isc_create_database(st.get(), static_cast<unsigned short>(file.size()), file.c_str(), &h,
                        short(dpb.size()), dpb.data(), 0);
    Check(st);
    isc_detach_database(st.get(), &h);
    Check(st);
}
