#pragma once
// The login of every connection the system makes: the database administrator with the fixed
// password the stores' databases are installed with. The operator is never asked for one.

inline constexpr char16_t kFixedUser[] = u"SYSDBA";
inline constexpr char16_t kFixedPassword[] = u"tarnblade";
