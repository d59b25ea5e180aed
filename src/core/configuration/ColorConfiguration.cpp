#include "core/configuration/ColorConfiguration.h"

#include "core/document/SettingsStore.h"

namespace plicora {

ColorConfiguration ColorConfiguration::FromSettings(const Settings& s) {
  return {s.colors};
}

void ColorConfiguration::ApplyTo(Settings& s, Model* model) const {
  for (std::size_t slot = 0; slot < colors.size(); ++slot)
    ApplyColor(s, static_cast<ColorSlot>(slot), colors[slot], model);
}

void ApplyColor(Settings& s, ColorSlot slot, ColorRef color, Model* model) {
  if (GetColor(s, static_cast<int>(slot)) != color) SetColor(s, static_cast<int>(slot), color, model);
}

}  // namespace plicora
