#pragma once
// CIECAM02 appearance under the viewing conditions the fidelity index fixes (adapting
// luminance 100 cd/m², background Y 20, average surround, complete adaptation to the light),
// mapped to the uniform CAM02-UCS space (J', a', b').

namespace tintcalc {

struct Xyz {
    double X = 0.0;
    double Y = 0.0;
    double Z = 0.0;
};

struct Cam02UcsColour {
    double j = 0.0;  // J'
    double a = 0.0;  // a'
    double b = 0.0;  // b'
};

class Cam02Ucs {
  public:
    // white: the light's own colour (a perfect reflector under it), Y normally 100.
    explicit Cam02Ucs(const Xyz& white);

    Cam02UcsColour operator()(const Xyz& colour) const;

  private:
    struct Response {
        double r, g, b;
    };
    Response adaptedResponse(const Xyz& colour) const;

    double gainR_ = 1.0, gainG_ = 1.0, gainB_ = 1.0;  // von Kries gains of CAT02
    double backgroundRatio_ = 0.2;                    // n = Yb / Yw
    double inductionFactor_ = 1.0;                    // Nbb = Ncb
    double exponentZ_ = 1.0;
    double achromaticWhite_ = 1.0;  // A of the white
};

}  // namespace tintcalc
