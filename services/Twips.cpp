#include "services/Twips.h"

#include <cstdlib>

namespace twips {

int ToPixels(int twipsValue) {
    const int magnitude = (std::abs(twipsValue) + kTwipsPerPixel / 2) / kTwipsPerPixel;
    return twipsValue < 0 ? -magnitude : magnitude;
}

int FromPixels(int pixels) {
    return pixels * kTwipsPerPixel;
}

int TwipsProperty::Read(int currentPixels) const {
    if (written_ && currentPixels == writtenPixels_) {
        return writtenTwips_;
    }
    return FromPixels(currentPixels);
}

int TwipsProperty::Write(int twipsValue) {
    written_ = true;
    writtenTwips_ = twipsValue;
    writtenPixels_ = ToPixels(twipsValue);
    return writtenPixels_;
}

}  // namespace twips
