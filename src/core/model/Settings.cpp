#include "core/model/Settings.h"

namespace plicora {

Settings& CurrentSettings() {
  static Settings settings;
  return settings;
}

}  // namespace plicora
