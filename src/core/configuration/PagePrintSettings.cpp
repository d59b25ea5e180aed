#include "core/configuration/PagePrintSettings.h"

#include "core/document/SettingsStore.h"

namespace plicora {

PagePrintSettings PagePrintSettings::FromSettings(const Settings& s) {
  return {s.bPrintPageNumber, s.bPrintTombo, s.bPrintOmitPage, s.bPrintRaster, s.iPrintPPIIndex};
}

void PagePrintSettings::ApplyTo(Settings& s) const {
  s.bPrintPageNumber = printPageNumber;
  s.bPrintTombo = printAlignmentMarks;
  s.bPrintOmitPage = omitEmptyPages;
  s.bPrintRaster = printRaster;
  s.iPrintPPIIndex = resolutionIndex;
  UpdateDerivedSettings(s);
}

}  // namespace plicora
