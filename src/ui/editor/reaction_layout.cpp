#include "ui/editor/reaction_layout.hpp"

#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <array>

#include "core/editor/reaction_lists.hpp"
#include "core/lang/language.hpp"

namespace kivprism::ui::editor {

namespace {

using R = FormRow;
using ui::TabLayout;
constexpr std::string_view kNone{};

constexpr std::array kUsbKey = {
    R{"PanelEventReactionx"},
    R{"MemoEventReactionx"},
    R{"EditReactionUSBKeyDlitmS", "PanelReactionUSBKeyDlit", "PanelReactionUSBKeyDlitMS"},
};
constexpr std::array kIr = {
    R{"PanelEventReactionIRx"},
    R{"ComboBoxReactionIROUTNUM", "PanelReactionIROUTNUM"},
};
constexpr std::array kPin = {
    R{"ComboBoxEventReactionPinNUM", "Panel3"},
    R{"ComboBoxEventReactionPinMODE", "Panel19"},
    R{"EditEventReactionPinTO", "Panel12", "PanelEventReactionPinTOMS"},
};
constexpr std::array kAnalog = {
    R{"EditReactionAnalogVOUT1", "Panel5", "Panel6"},
    R{"ComboBoxReactionAnalogVOUT1type", kNone},
    R{"CheckBoxReactionAnalogVOUT1save"},
    R{"EditReactionAnalogVOUT2", "Panel7", "Panel8"},
    R{"ComboBoxReactionAnalogVOUT2type", kNone},
    R{"CheckBoxReactionAnalogVOUT2save"},
    R{"EditReactionAnalogTO", "Panel9", "Panel10"},
};
constexpr std::array kSource = {
    R{"ComboBoxEventReactionSRC", "PanelEventReactionSRC"},
    R{"SpeedButtonEventReactionSRCSkipx"},
    R{"CheckBoxEventReactionSRCSave"},
};
constexpr std::array kTouch = {
    R{"EditReactionTouchX"},
    R{"EditReactionTouchY"},
    R{"EditReactionTouchDlit", "PanelTouchDlit"},
    R{"SpeedButtonReactionTouch"},
    R{"ProgressBarReactionTouch"},
};
constexpr std::array kEventControl = {
    R{"ComboBoxReactionEventHandleType", kNone},
    R{"ComboBoxReactionEventHandleNumx", "Panel18"},
};
constexpr std::array kAmplifier = {R{"TabControlAMPLx"}, R{"ComboBoxAMPLPARx", kNone}};
constexpr std::array kMouse = {R{"ComboBoxReactionUSBMouseType", kNone}};
constexpr std::array kEncoder = {
    R{"ComboBoxReactionEncoderMODE", "PanelReactionEncoderMODE"},
    R{"CSpinEditReactionEncoderDIRx", "PanelReactionEncoderDIR"},
    R{"EditReactionEncoderReplay", "LabelReactionEncoderReplay", "LabelReactionEncoderReplaymSec"},
};
constexpr std::array kIebus = {R{"ComboBoxReactionIEBUSEventx", kNone}};
constexpr std::array kIDrive = {
    R{"ComboBoxReactionIDRIVEEventx", kNone},
    R{"PanelReactionIDRIVEParamx"},
    R{"EditReactionIDRIVEEventx", kNone},
};
constexpr std::array kIBus = {R{"ComboBoxReactionIBUSEventx", kNone}};
constexpr std::array kSerial = {
    R{"PanelReactionSerial"},
    R{"EditReactionSerialName", kNone},
    R{"MemoSERIAL"},
};
constexpr std::array kCursorMove = {
    R{"ComboBoxReactionCurMoveDirection", "PanelReactionCurMoveDirection"},
    R{"EditReactionCurMoveNumPoints", "PanelReactionCurMoveNumPointsOn",
      "PanelReactionCurMoveNumPoints"},
    R{"CheckBoxReactionCurMovePress"},
};
constexpr std::array kAcuraJoy = {R{"ComboBoxReactionMDXJOY", kNone}};
constexpr std::array kUart = {R{"EditReactionUARTName", kNone}};
constexpr std::array kLin = {R{"ComboBoxReactionLINx", kNone}, R{"CheckBoxReactionLINTrigger"}};
constexpr std::array kAudiMmi = {
    R{"ComboBoxReactionAUDIMMIMODEx", kNone},
    R{"PanelReactionAUDIMMIParamx"},
    R{"EditReactionAUDIMMIPARAM", kNone},
};
constexpr std::array kCarDsp = {
    R{"ComboBoxReactionCARDSPMODEx", kNone},
    R{"ComboBoxEditReactionCarDspParamx", kNone},
    R{"EditReactionCarDSPReplay", "LabelReactionCarDSPReplay", "LabelReactionCarDSPReplaymSec"},
};
constexpr std::array kPanacea = {R{"ComboBoxReactionPANACEA", kNone}};
constexpr std::array kResEmul = {R{"EditReactionResEmulX", "Panel22"},
                                 R{"EditReactionResEmulY", "Panel23"}};
constexpr std::array kRenaultJoy = {R{"ComboBoxReactionRJOYx", kNone}};
constexpr std::array kSwCan = {
    R{"ComboBoxReactionSWVWTYPEx", kNone},
    R{"ComboBoxReactionSWVWMODEx", kNone},
    R{"GroupBox_SW_CAN_PRESSx"},
    R{"Panel_SW_CAN_PRESS"},
    R{"GroupBox_SW_CAN_DEPRESSx"},
    R{"Panel_SW_CAN_DEPRESS"},
    R{"GroupBoxSWCAN_DISPLAY_MESSAGE"},
    R{"Edit_SWCAN_DISPLAY_MESSAGE_S1", kNone},
    R{"CheckBox_SWCAN_DISPLAY_MESSAGE_S1x"},
    R{"Edit_SWCAN_DISPLAY_MESSAGE_S2", kNone},
    R{"CheckBox_SWCAN_DISPLAY_MESSAGE_S2x"},
    R{"Edit_SWCAN_DISPLAY_MESSAGE_DLIT", "PanelSWCAN_DISPLAY_MESSAGE_DLIT"},
};
constexpr std::array kGanet = {
    R{"ComboBoxReactionGNNAVIMODE", kNone},
    R{"EditReactionGNNAVIPARAM", "LabelReactionGNNAVIPARAM"},
};
constexpr std::array kCruise = {R{"ComboBoxReactionCBMWx", kNone}};
constexpr std::array kMercedesCtrl = {R{"ComboBoxReactionMCONTROLx", kNone}};
constexpr std::array kHwr = {R{"ComboBoxReactionHWRx", kNone}, R{"CheckBoxReactionHWRTrigger"}};
constexpr std::array kVar = {
    R{"ComboBoxReactionVarNamex", kNone},
    R{"SpeedButtonReactionVARFuncx"},
    R{"EditReactionVARVal", kNone},
};
constexpr std::array kPwm = {
    R{"ComboBoxRespCh1Modex", "LabelRespCh1PWM"},
    R{"EditRespCh1Val", kNone},
    R{"ComboBoxRespCh2Modex", "LabelRespCh2PWM"},
    R{"EditRespCh2Val", kNone},
    R{"ComboBoxRespCh3Modex", "LabelRespCh3PWM"},
    R{"EditRespCh3Val", kNone},
    R{"ComboBoxRespCh4Modex", "LabelRespCh4PWM"},
    R{"EditRespCh4Val", kNone},
    R{"EditRespPWMTO", "PanelRespRepPWM", "PanelRespPWMmSec"},
};

const std::array<TabLayout, 31> kPages = {{
    {"TabSheetReactionZero", {}},
    {"TabSheetReactionUSBKey", kUsbKey},
    {"TabSheetReactionIR", kIr},
    {"TabSheetReactionOUT", kPin},
    {"TabSheetReactionAnalog", kAnalog},
    {"TabSheetReactionSRC", kSource},
    {"TabSheetReactionTouch", kTouch},
    {"TabSheetReactionEventColtrol", kEventControl},
    {"TabSheetReactionEventIEAMPL", kAmplifier},
    {"TabSheetReactionUSBMouse", kMouse},
    {"TabSheetReactionEncoder", kEncoder},
    {"TabSheetReactionIEBUSx", kIebus},
    {"TabSheetReactioniDrivex", kIDrive},
    {"TabSheetReactioniBusx", kIBus},
    {"SERIALx", kSerial},
    {"CurMovex", kCursorMove},
    {"TabSheetReactionMDXJOYx", kAcuraJoy},
    {"TabSheetReactionUARTx", kUart},
    {"TabSheetReactionLINx", kLin},
    {"TabSheetReactionAUDIMMIx", kAudiMmi},
    {"TabSheetReactionCarDSPx", kCarDsp},
    {"TabSheetReactionPANACEAx", kPanacea},
    {"TabSheetRESEMUL", kResEmul},
    {"TabSheetReactionRJOYx", kRenaultJoy},
    {"TabSheetReactionSWVWx", kSwCan},
    {"TabSheetReactionGNNAVIx", kGanet},
    {"TabSheetReactionCRUISE_BMW_DMEx", kCruise},
    {"TabSheetReactionMCONTROLx", kMercedesCtrl},
    {"TabSheetReactionHWRx", kHwr},
    {"TabSheetReactionVARx", kVar},
    {"TabSheetReactionPWMx", kPwm},
}};

constexpr std::array<std::string_view, 6> kClickPanels = {
    "PanelEventReactionx",         "PanelEventReactionIRx", "SpeedButtonEventReactionSRCSkipx",
    "SpeedButtonReactionVARFuncx", "Panel_SW_CAN_PRESS",    "Panel_SW_CAN_DEPRESS"};

constexpr int kPanelMinimumHeight = 24;

QString qtName(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

std::span<const TabLayout> reactionPages() { return kPages; }

bool isBoundReactionSpecial(std::string_view control) {
  for (std::string_view name : kClickPanels) {
    if (name == control) {
      return true;
    }
  }
  return control == "TabControlAMPLx";
}

QWidget* makeReactionSpecial(std::string_view control, QWidget* parent) {
  QWidget* w = nullptr;
  if (control == "TabControlAMPLx") {
    auto* tabs = new QTabBar(parent);
    for (const lang::TextPair& tab : kivprism::editor::lists::amplifierTabs()) {
      tabs->addTab(qtName(tab.ru));
    }
    w = tabs;
  } else if (control == "SpeedButtonReactionTouch") {
    w = new QPushButton(parent);
  } else if (control == "ProgressBarReactionTouch") {
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, 100);
    bar->setVisible(false);
    w = bar;
  } else if (isBoundReactionSpecial(control)) {
    auto* panel = new ReactionClickPanel(parent);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setWordWrap(true);
    panel->setCursor(Qt::PointingHandCursor);
    panel->setMinimumHeight(kPanelMinimumHeight);
    w = panel;
  }
  if (w) {
    w->setObjectName(qtName(control));
  }
  return w;
}

ReactionClickPanel::ReactionClickPanel(QWidget* parent) : QLabel(parent) {}

void ReactionClickPanel::mousePressEvent(QMouseEvent* event) {
  if (!isEnabled()) {
    return;
  }
  if (event->button() == Qt::LeftButton) {
    emit clicked();
  } else if (event->button() == Qt::RightButton) {
    emit rightClicked(event->globalPosition().toPoint());
  }
  QLabel::mousePressEvent(event);
}

}  // namespace kivprism::ui::editor
