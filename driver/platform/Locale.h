#pragma once
// The process locale around a conversion that must read numbers as the "C"
// locale does; afterwards the process is in the user's default locale. Only for
// the host's thread: conversions on other threads use the functions of
// Numbers.h, which never touch the process locale.

namespace platform {

class CLocaleScope {
  public:
    CLocaleScope();
    ~CLocaleScope();
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;
};

}  // namespace platform
