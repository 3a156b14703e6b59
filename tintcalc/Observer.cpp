#include "tintcalc/Observer.h"

namespace tintcalc {

Observer observerFromCode(int code) {
    return (code == 10 || code == 11) ? Observer::Cie1964 : Observer::Cie1931;
}

const cie::SpectralTable& colourMatching(Observer observer) {
    return observer == Observer::Cie1964 ? cie::kObserver10 : cie::kObserver2;
}

}  // namespace tintcalc
