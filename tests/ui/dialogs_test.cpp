// The dialogs of the event/reaction editor: typing into their edits and what they hand back.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <array>

#include "core/events/entry.hpp"
#include "core/events/records.hpp"
#include "core/lang/text.hpp"
#include "ui/common/bound_form.hpp"
#include "ui/dialogs/can_frame_dialogs.hpp"
#include "ui/dialogs/entry_name_dialog.hpp"
#include "ui/dialogs/ir_code_dialog.hpp"
#include "window_test_main.hpp"

namespace dialogs_test {
namespace {

using namespace kivprism;
using ui::dialogs::TFormCANFilter;
using ui::dialogs::TFormCANMSG;
using ui::dialogs::TFormEditEventReactionName;
using ui::dialogs::TFormIRCode;

template <typename T>
T* child(QWidget* form, const char* name) {
  auto* w = form->findChild<T*>(name);
  if (w == nullptr) {
    qFatal("no control %s", name);
  }
  return w;
}

template <std::size_t N>
QByteArray hex(const std::array<std::uint8_t, N>& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(N))
      .toHex(' ');
}

void retype(QWidget* form, const char* edit, const QString& text) {
  auto* e = child<QLineEdit>(form, edit);
  e->clear();
  QTest::keyClicks(e, text);
}

// Presses a key in a control as soon as the modal loop of the dialog runs.
void pressWhenShown(QWidget* form, const char* control, Qt::Key key) {
  QTimer::singleShot(0, form,
                     [form, control, key] { QTest::keyClick(child<QWidget>(form, control), key); });
}

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { lang::setCurrentLanguage(lang::Language::English); }

  void canMessageShowsAndStoresTheTypedFrame() {
    TFormCANMSG form;
    events::CanMessage old;
    old.idWord = 0x123u << 18;
    old.length = 2;
    old.data = {0x12, 0x34, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7};
    form.load({10, 20}, "Press", old);
    QCOMPARE(form.windowTitle(), QString("Press"));
    QCOMPARE(child<QLineEdit>(&form, "EditID")->text(), QString("123"));
    QCOMPARE(child<QLineEdit>(&form, "EditData")->text(), QString("12 34"));
    QCOMPARE(child<QLineEdit>(&form, "EditID")->maxLength(), 8);
    QCOMPARE(child<QLineEdit>(&form, "EditData")->maxLength(), 23);
    QCOMPARE(child<QLabel>(&form, "LabelData")->text(), QString("Data"));

    retype(&form, "EditID", "18daf110");
    retype(&form, "EditData", "0102 03 4");
    std::array<std::uint8_t, events::record::kCanMessageSlotSize> slot{};
    slot.fill(0xEE);
    events::writeCanMessage(slot, form.result());
    QCOMPARE(hex(slot), QByteArray("10 f1 da 18 03 "           // extended id word, 3 bytes
                                   "01 02 03 a3 a4 a5 a6 a7 "  // typed bytes, then the old ones
                                   "00 00 00 00"));            // the slot's spare bytes
  }

  void canMessageRefusesANonHexIdAndClears() {
    TFormCANMSG form;
    events::CanMessage old;
    old.idWord = 0x800u;
    old.length = 1;
    old.data[0] = 0x55;
    form.load({}, "Release", old);
    QCOMPARE(child<QLineEdit>(&form, "EditID")->text(), QString("00000800"));
    retype(&form, "EditID", "12G");
    retype(&form, "EditData", "FF FF");
    QCOMPARE(form.result(), old);

    QTest::mouseClick(child<QPushButton>(&form, "SpeedButtonClearData"), Qt::LeftButton);
    QVERIFY(child<QLineEdit>(&form, "EditID")->text().isEmpty());
    QVERIFY(child<QLineEdit>(&form, "EditData")->text().isEmpty());
    QCOMPARE(form.result().idWord, 0u);
    QCOMPARE(form.result().length, std::uint8_t{0});
  }

  void canMessageEnterConfirmsAndEscapeCancels() {
    TFormCANMSG form;
    events::CanMessage old;
    pressWhenShown(&form, "EditData", Qt::Key_Escape);
    QVERIFY(!form.editCanMessage({}, "Press", old).has_value());

    QTimer::singleShot(0, &form, [&form] {
      retype(&form, "EditID", "7E8");
      QTest::keyClick(child<QLineEdit>(&form, "EditData"), Qt::Key_Return);
    });
    const auto got = form.editCanMessage({}, "Press", old);
    QVERIFY(got.has_value());
    QCOMPARE(got->idWord, 0x7E8u << 18);
  }

  void canFilterOfLengthZeroShowsTheFullMask() {
    TFormCANFilter form;
    events::CanFilter old;
    old.idWord = 0x18DAF110u;
    form.load({}, "CAN filter", old);
    QCOMPARE(child<QLineEdit>(&form, "EditID")->text(), QString("18DAF110"));
    QCOMPARE(child<QLineEdit>(&form, "EditMask")->text(), QString("FF FF FF FF FF FF FF FF"));
    QVERIFY(child<QLineEdit>(&form, "EditData")->text().isEmpty());
    QCOMPARE(child<QLabel>(&form, "LabelMask")->text(), QString("Mask"));

    retype(&form, "EditID", "123");
    retype(&form, "EditMask", "FF 00");
    retype(&form, "EditData", "12 34");
    std::array<std::uint8_t, events::record::kCanFilterSize> bytes{};
    events::writeCanFilter(bytes, form.result());
    // Mask bytes beyond the two typed keep the record's (here zero) bytes.
    QCOMPARE(hex(bytes), QByteArray("00 00 8c 04 02 "  // id word 0x123 << 18, two data bytes
                                    "ff 00 00 00 00 00 00 00 "  // mask
                                    "12 34 00 00 00 00 00 00"));

    QTest::mouseClick(child<QPushButton>(&form, "SpeedButtonClearData"), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>(&form, "EditMask")->text(), QString("FF FF FF FF FF FF FF FF"));
    QVERIFY(child<QLineEdit>(&form, "EditID")->text().isEmpty());
  }

  void irCodeListsTheContextsProtocols() {
    TFormIRCode form;
    auto* list = child<QComboBox>(&form, "ComboBoxIRCodeTypex");
    form.load({}, {1, 17, 1234}, events::IrContext::Event);
    QCOMPARE(list->count(), 12);
    QCOMPARE(list->currentText(), QString("IR_NEC"));
    // An event code in USER, which the event list leaves out, is listed for it and kept at OK.
    form.load({}, {9, 17, 1234}, events::IrContext::Event);
    QCOMPARE(list->count(), 13);
    QCOMPARE(list->currentText(), QString("USER"));
    QCOMPARE(child<QLineEdit>(&form, "EditIRCodeAddress")->text(), QString("1234"));
    QCOMPARE(child<QLineEdit>(&form, "EditIRCodeCommand")->text(), QString("17"));
    retype(&form, "EditIRCodeCommand", "18");
    QCOMPARE(form.result(), (events::IrCode{9, 18, 1234}));
    QCOMPARE(form.windowTitle(), QString("IR code"));
    QCOMPARE(child<QLabel>(&form, "PanelIRCodeType")->text(), QString("Encoding"));

    form.load({}, {9, 17, 1234}, events::IrContext::Reaction);
    QCOMPARE(list->count(), 13);
    QCOMPARE(list->currentText(), QString("USER"));

    form.load({}, {}, events::IrContext::Event);
    list->setCurrentIndex(list->findText("CAN AUTO"));
    QCOMPARE(form.result().protocol, std::uint8_t{11});
    list->setCurrentIndex(list->findText("IR_SAMSUNG"));
    QCOMPARE(form.result().protocol, std::uint8_t{10});
  }

  void irCodeChecksWhileTypingAndKeepsBadFieldsAtOk() {
    TFormIRCode form;
    form.load({}, {1, 10, 1000}, events::IrContext::Event);
    auto* check = child<QLabel>(&form, "LabelIRCodeCheckx");
    auto* address = child<QLineEdit>(&form, "EditIRCodeAddress");
    QVERIFY(check->isHidden());

    retype(&form, "EditIRCodeAddress", "70000");
    QVERIFY(!check->isHidden());
    QCOMPARE(check->text(), QString("The value must be in the range from 0 to 65535"));
    QVERIFY(ui::isUnstored(address));
    retype(&form, "EditIRCodeCommand", "255");
    QVERIFY(!check->isHidden());
    QCOMPARE(form.result(), (events::IrCode{1, 255, 1000}));

    retype(&form, "EditIRCodeAddress", "65535");
    QVERIFY(check->isHidden());
    QVERIFY(!ui::isUnstored(address));
    retype(&form, "EditIRCodeCommand", "256");
    QCOMPARE(check->text(), QString("The value must be in the range from 0 to 255"));
    QCOMPARE(form.result(), (events::IrCode{1, 10, 65535}));

    // A hexadecimal text passes the check, so OK takes it too.
    retype(&form, "EditIRCodeCommand", "x7F");
    QVERIFY(check->isHidden());
    QCOMPARE(form.result(), (events::IrCode{1, 0x7F, 65535}));

    lang::setCurrentLanguage(lang::Language::Russian);
    child<QLineEdit>(&form, "EditIRCodeCommand")->clear();
    form.EditIRCodeCommandChange();
    QCOMPARE(check->text(), QString::fromUtf8("Введите значение в указанную позицию"));
  }

  void irCodeOkConfirmsAndClosingCancels() {
    TFormIRCode form;
    QTimer::singleShot(0, &form, [&form] { form.reject(); });
    QVERIFY(!form.editIrCode({}, {1, 2, 3}, events::IrContext::Reaction).has_value());
    QTimer::singleShot(0, &form, [&form] {
      retype(&form, "EditIRCodeCommand", "99");
      QTest::mouseClick(child<QPushButton>(&form, "ButtonIRCodeOK"), Qt::LeftButton);
    });
    QCOMPARE(form.editIrCode({}, {1, 2, 3}, events::IrContext::Reaction),
             std::optional<events::IrCode>(events::IrCode{1, 99, 3}));
  }

  // Eight bytes, the identifier, the labels and the caption all show whole in either language.
  void smallDialogsShowTheirWholeContentInBothLanguages() {
    const auto fits = [](QLineEdit* edit) {
      return edit->contentsRect().width() > edit->fontMetrics().horizontalAdvance(edit->text()) +
                                                edit->textMargins().left() +
                                                edit->textMargins().right();
    };
    for (const auto language : {lang::Language::Russian, lang::Language::English}) {
      lang::setCurrentLanguage(language);
      TFormCANMSG message;
      message.load({}, "Press", {});
      message.show();
      retype(&message, "EditID", "1FFFFFFF");
      retype(&message, "EditData", "FF FF FF FF FF FF FF FF");
      QCOMPARE(child<QLineEdit>(&message, "EditData")->text().size(), 23);
      QVERIFY(fits(child<QLineEdit>(&message, "EditData")));
      QVERIFY(fits(child<QLineEdit>(&message, "EditID")));
      for (const char* label : {"LabelID", "LabelData"}) {
        auto* l = child<QLabel>(&message, label);
        QVERIFY(l->width() >= l->fontMetrics().horizontalAdvance(l->text()));
      }
      TFormCANFilter filter;
      filter.load({}, "Filter", {});
      filter.show();
      retype(&filter, "EditData", "FF FF FF FF FF FF FF FF");
      retype(&filter, "EditMask", "FF FF FF FF FF FF FF FF");
      QVERIFY(fits(child<QLineEdit>(&filter, "EditMask")));
      QVERIFY(fits(child<QLineEdit>(&filter, "EditData")));
      TFormEditEventReactionName name;
      name.load({}, 100, "WWWWWWWWWWWWWWWW");
      name.show();
      QVERIFY(name.width() >
              QFontMetrics(QApplication::font()).horizontalAdvance(name.windowTitle()));
      QVERIFY(fits(child<QLineEdit>(&name, "EditEventReaction")));
      message.hide();
      filter.hide();
      name.hide();
    }
  }

  void entryNameTakesSixteenCharacters() {
    TFormEditEventReactionName form;
    form.load({}, 7, "LongerName");
    QCOMPARE(form.windowTitle(), QString("Set name for 7 tab"));
    auto* edit = child<QLineEdit>(&form, "EditEventReaction");
    QCOMPARE(edit->text(), QString("LongerName"));
    QCOMPARE(edit->selectedText(), QString("LongerName"));
    retype(&form, "EditEventReaction", "0123456789ABCDEFGH");
    QCOMPARE(form.result(), std::string("0123456789ABCDEF"));

    std::array<std::uint8_t, 144> entry{};
    events::setEntryName(entry, "LongerName");
    retype(&form, "EditEventReaction", "AB");
    events::setEntryName(entry, form.result());
    QCOMPARE(entry[0], std::uint8_t{'A'});
    QCOMPARE(entry[1], std::uint8_t{'B'});
    for (std::size_t i = 2; i < 16; ++i) {
      QCOMPARE(entry[i], std::uint8_t{0});
    }
  }

  void entryNameEnterConfirmsAndEscapeCancels() {
    TFormEditEventReactionName form;
    pressWhenShown(&form, "EditEventReaction", Qt::Key_Escape);
    QVERIFY(!form.editEntryName({}, 1, "Old").has_value());
    QTimer::singleShot(0, &form, [&form] {
      retype(&form, "EditEventReaction", "Volume");
      QTest::keyClick(child<QLineEdit>(&form, "EditEventReaction"), Qt::Key_Return);
    });
    QCOMPARE(form.editEntryName({}, 1, "Old"), std::optional<std::string>("Volume"));
    QTimer::singleShot(0, &form, [&form] {
      child<QLineEdit>(&form, "EditEventReaction")->clear();
      QTest::mouseClick(child<QPushButton>(&form, "BitBtnOk"), Qt::LeftButton);
    });
    QCOMPARE(form.editEntryName({}, 1, "Old"), std::optional<std::string>(""));
  }
};

KIVPRISM_WINDOW_TEST(DialogsTest);

}  // namespace
}  // namespace dialogs_test
#include "dialogs_test.moc"
