#include "tools/skinart/Palette.h"

TPaint TitlePaint(bool Active, double Top, double Bottom) {
  const TRgb Light = Active ? TerracottaLight : AshLight;
  const TRgb Base = Active ? Terracotta : Ash;
  const TRgb Deep = Active ? TerracottaDeep : AshDeep;
  return [=](double, double Y) {
    const double T = (Y - Top) / (Bottom - Top);
    // A soft sheen on the upper half, then the glaze darkens towards the bottom.
    return T < 0.45 ? Mix(Light, Base, T / 0.45) : Mix(Base, Deep, (T - 0.45) / 0.55);
  };
}
