#pragma once
// "Flap Configuration": whether flaps are shown and the width, in
// millimetres, that flaps get.

#include <QDialog>

#include "gui/commands/FrameServices.h"

class QCheckBox;
class QLineEdit;

namespace plicora {

/// The question asked before every flap of a development gets a new width.
inline constexpr const char* kChangeAllFlapsQuestion = "Do you want to change all flaps' size?";

class FlapConfigurationDialog : public QDialog {
  Q_OBJECT
 public:
  explicit FlapConfigurationDialog(const Settings& settings, QWidget* parent = nullptr);
  bool showFlaps() const;
  /// The confirmed width in millimetres (after OK).
  int widthMillimetres() const { return confirmedWidth_; }

 public slots:
  void accept() override;

 private:
  QCheckBox* showFlaps_;
  QLineEdit* width_;
  int confirmedWidth_ = 0;
};

/// The width box's value for a flap width in centimetres (whole millimetres).
int FlapWidthMillimetres(double widthCm);

/// Runs the dialog. On OK with a changed width and a development loaded it
/// asks whether every flap should get the new width; No applies nothing.
void RunFlapConfiguration(const FrameServices& services);

}  // namespace plicora
