#include "OptionsPanel.h"

#include "GameStateManager.h"
#include "SceneTools.h"
#include "SoundManager.h"

namespace {

const float kVolumeStep = 0.3f;
const double kButtonWidth = 80.0, kButtonHeight = 40.0;
const double kPanelWidth = 800.0, kPanelHeight = 600.0;

/* The controls' places (world units), over the click areas of Options. */
const double kFullScreenBoxX = 120.0, kFullScreenBoxY = 100.0;
const double kMuteBoxX = 120.0, kMuteBoxY = 0.0;
const double kVolumeDownX = -110.0, kVolumeDownY = -115.0;
const double kVolumeUpX = 125.0, kVolumeUpY = -115.0;
/* Under the volume buttons, centred on the plate between them. */
const double kVolumePipsX = 7.0, kVolumePipsY = -172.0;

void ShowTick(Checkbox* box, bool ticked) {
  box->SetFrame(ticked ? Checkbox::kTicked : Checkbox::kUnticked);
}

}  // namespace

OptionsPanel::OptionsPanel()
    : OptionsPanel(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0.0, 0.0) {}

OptionsPanel::OptionsPanel(Options* button, Checkbox* fullScreenBox, Checkbox* muteBox,
                           Checkbox* volumeDown, Checkbox* volumeUp, VolumePips* volumePips,
                           double buttonX, double buttonY)
    : button_(button), fullScreenBox_(fullScreenBox), muteBox_(muteBox), volumeDown_(volumeDown),
      volumeUp_(volumeUp), volumePips_(volumePips), buttonX_(buttonX), buttonY_(buttonY) {}

void OptionsPanel::Arrange() {
  volumeDown_->SetFrame(Checkbox::kMinus);
  volumeUp_->SetFrame(Checkbox::kPlus);
  Place(fullScreenBox_, kFullScreenBoxX, kFullScreenBoxY);
  Place(muteBox_, kMuteBoxX, kMuteBoxY);
  Place(volumeDown_, kVolumeDownX, kVolumeDownY);
  Place(volumeUp_, kVolumeUpX, kVolumeUpY);
  Place(volumePips_, kVolumePipsX, kVolumePipsY);
  Place(button_, buttonX_, buttonY_);
  ShowControls(0.0f);
}

bool OptionsPanel::IsOpen() const { return button_->GetFrame() == kButtonFramePanel; }

void OptionsPanel::ShowControls(float transparency) {
  SetTransparency({fullScreenBox_, muteBox_, volumeDown_, volumeUp_, volumePips_}, transparency);
}

void OptionsPanel::Open() {
  button_->SetFrame(kButtonFramePanel);
  // The panel covers the window, so its controls sit under their click areas.
  Resize(button_, kPanelWidth, kPanelHeight);
  Place(button_, 0.0, 0.0);
  ShowTick(fullScreenBox_, fullScreen);
  ShowTick(muteBox_, SoundIsMuted());
  ShowControls(1.0f);
}

void OptionsPanel::Close() {
  button_->SetFrame(kButtonFrameNormal);
  Resize(button_, kButtonWidth, kButtonHeight);
  Place(button_, buttonX_, buttonY_);
  ShowControls(0.0f);
}

void OptionsPanel::ClickFullScreen() {
  ToggleFullScreen();
  ShowTick(fullScreenBox_, fullScreen);
}

void OptionsPanel::ClickMute() {
  const bool mute = !SoundIsMuted();
  SoundSetMute(mute);
  ShowTick(muteBox_, mute);
}

bool OptionsPanel::Click(int x, int y) {
  if (Options::kFullScreenBox.Contains(x, y)) {
    ClickFullScreen();
  } else if (Options::kMuteBox.Contains(x, y)) {
    ClickMute();
  } else if (Options::kVolumeUp.Contains(x, y)) {
    SoundChangeVolume(kVolumeStep);
  } else if (Options::kVolumeDown.Contains(x, y)) {
    SoundChangeVolume(-kVolumeStep);
  } else {
    Close();
    return true;
  }
  return false;
}
