#include "core/configuration/PagePrintSettings.h"

#include "core/development/RegistrationMarks.h"
#include "core/document/SettingsStore.h"

namespace plicora {

PagePrintSettings PagePrintSettings::FromSettings(const Settings& s) {
  return {s.bPrintPageNumber,
          s.bPrintTombo,
          s.bPrintOmitPage,
          s.bPrintRaster,
          s.iPrintPPIIndex,
          s.bPrintScaleGauge,
          static_cast<int>(RegistrationPresetOf(s))};
}

ChoiceList PagePrintSettings::RegistrationMarkChoices() {
  return {"Corners (square and two corner angles)", "Frame (rectangle around the printable area)", "None"};
}

void PagePrintSettings::ApplyTo(Settings& s) const {
  s.bPrintPageNumber = printPageNumber;
  s.bPrintTombo = printAlignmentMarks;
  s.bPrintOmitPage = omitEmptyPages;
  s.bPrintRaster = printRaster;
  s.iPrintPPIIndex = resolutionIndex;
  s.bPrintScaleGauge = printScaleGauge;
  s.iRegistrationMarks = registrationMarks;
  UpdateDerivedSettings(s);
}

}  // namespace plicora
