#include "platform/Locale.h"

#include "platform/Numbers.h"

namespace platform {

CLocaleScope::CLocaleScope() {
    setCLocale();
}
CLocaleScope::~CLocaleScope() {
    setUserDefaultLocale();
}

}  // namespace platform
