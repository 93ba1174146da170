#include "app/ui/SettingsPageWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/Text.h"
#include "base/SettingsPage.h"
#include "base/Translate.h"
#include "codec/Ucs2.h"
#include "link/PortName.h"

namespace quorix::ui {

namespace {

QStringList PortNames() {
  QStringList names;
  for (const std::string& name : ComPortNames()) names << QString::fromStdString(name);
  return names;
}

QComboBox* MakeCombo(const char* name, const QStringList& items, bool editable, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setEditable(editable);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->addItems(items);
  return combo;
}

QString PortText(const QString& text) {
  return FromCore(ShownPortName(ToCore(text)));
}

// A fixed-list box still shows a stored text that is not among its items.
void ShowText(QComboBox* combo, const QString& text) {
  if (!combo->isEditable() && combo->findText(text) < 0) combo->addItem(text);
  combo->setCurrentText(text);
}

QWidget* WithNote(QWidget* control, const char* note, QWidget* parent) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(control, 1);
  layout->addWidget(new QLabel(note, row));
  return row;
}

}  // namespace

SettingsPageWidget::SettingsPageWidget(SettingsPage& settings, QWidget* parent)
    : QWidget(parent), settings_(settings) {
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  left->addWidget(BuildPortGroup());
  left->addWidget(BuildReadingGroup());
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(BuildConverterGroup());
  right->addWidget(BuildLanguageGroup());
  button11_ = new QPushButton(FromCore(Tr("Сохранить настройки")), this);
  button11_->setObjectName("Button11");
  button12_ = new QPushButton(FromCore(Tr("Загрузить настройки")), this);
  button12_->setObjectName("Button12");
  right->addWidget(button11_);
  right->addWidget(button12_);
  right->addStretch();
  layout->addLayout(left, 2);
  layout->addLayout(right, 1);
  Refresh();
  BindControls();
}

QWidget* SettingsPageWidget::BuildPortGroup() {
  auto* group = new QGroupBox(this);
  portEdit_ = MakeCombo("PortEdit", PortNames(), true, group);
  rateEdit_ = MakeCombo("RateEdit", {"2400", "4800", "9600", "19200", "38400", "57600", "115200"},
                        true, group);
  bCom_ = MakeCombo("BCom", PortNames(), false, group);
  comboBox1_ = MakeCombo("ComboBox1", {"100", "500", "1000", "2000", "3000"}, true, group);
  auto* form = new QFormLayout(group);
  form->addRow(FromCore(Tr("COM порт:")), WithNote(portEdit_, "(P2K+AT)", group));
  form->addRow(FromCore(Tr("Скорость:")), rateEdit_);
  form->addRow(FromCore(Tr("Bluetooth COM Порт:")), WithNote(bCom_, "(Only AT)", group));
  form->addRow(FromCore(Tr("Таймаут Bluetooth соединения (m/s): ")), comboBox1_);
  return group;
}

QWidget* SettingsPageWidget::BuildReadingGroup() {
  auto* group = new QGroupBox(this);
  edit8_ = new QLineEdit(group);
  edit8_->setObjectName("Edit8");
  edit3_ = MakeCombo("Edit3", {"10", "20", "30", "40", "50", "70", "100"}, true, group);
  auto* form = new QFormLayout(group);
  form->addRow(FromCore(Tr("Емкость SIM карты:")), edit8_);
  form->addRow(FromCore(Tr(" Диапазон чтения:")), edit3_);
  const char* captions[] = {N_("Авто подключение к телефону"),
                            N_("Авто поиск активных COM портов"),
                            N_("Читать из SIM"),
                            N_("Читать из телефона"),
                            N_("Использовать P2K режим для чтения мелодий и картинок"),
                            N_("Удалять MyTonedb.DB после чтения справочника"),
                            N_("Включить Bluetooth"),
                            N_("Очищать справочник перед восстановлением"),
                            N_("Читать расширенный справочник")};
  for (int i = 0; i < 9; ++i) {
    auto* box = new QCheckBox(FromCore(Tr(captions[i])), group);
    box->setObjectName(QString("CheckBox%1").arg(i + 1));
    checkBoxes_.push_back(box);
    form->addRow(box);
  }
  CheckBox(5)->setToolTip("Before enable this option please remove MyToneDB.DB from your phone!!!");
  return group;
}

QWidget* SettingsPageWidget::BuildConverterGroup() {
  auto* group = new QGroupBox(FromCore(Tr("Конвертер")), this);
  group->setObjectName("GroupBox4");
  ansiEdit_ = new QLineEdit("ANSI", group);
  ansiEdit_->setObjectName("AnsiEdit");
  ucsEdit_ = new QLineEdit("UCS", group);
  ucsEdit_->setObjectName("UCSEdit");
  button3_ = new QPushButton("ANSI => UCS", group);
  button3_->setObjectName("Button3");
  button1_ = new QPushButton("UCS => ANSI", group);
  button1_->setObjectName("Button1");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(button3_);
  buttons->addWidget(button1_);
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(ansiEdit_);
  layout->addWidget(ucsEdit_);
  layout->addLayout(buttons);
  // Button3Click and Button1Click: the codec in both directions, through code page 1251.
  connect(button3_, &QPushButton::clicked, this,
          [this] { ucsEdit_->setText(FromCore(EncodeUcs2Hex(ToCore(ansiEdit_->text())))); });
  connect(button1_, &QPushButton::clicked, this,
          [this] { ansiEdit_->setText(FromCore(DecodeUcs2Hex(ToCore(ucsEdit_->text())))); });
  return group;
}

// Each item carries the code the settings hold; the texts are already made when it changes, so it
// applies at the next start.
QWidget* SettingsPageWidget::BuildLanguageGroup() {
  auto* group = new QGroupBox(FromCore(Tr("Язык интерфейса")), this);
  languageEdit_ = new QComboBox(group);
  languageEdit_->setObjectName("LanguageEdit");
  languageEdit_->addItem(FromCore(Tr("Системный")), QString());
  languageEdit_->addItem(FromCore(Tr("Русский")), QString("ru"));
  languageEdit_->addItem("English", QString("en"));
  auto* note = new QLabel(FromCore(Tr("Язык сменится при следующем запуске программы.")), group);
  note->setWordWrap(true);
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(languageEdit_);
  layout->addWidget(note);
  return group;
}

void SettingsPageWidget::Refresh() {
  refreshing_ = true;
  const QStringList items = [&] {
    QStringList list;
    for (const auto& item : settings_.PortItems) list << FromCore(item);
    return list;
  }();
  portEdit_->clear();
  portEdit_->addItems(items);
  // The box holds its text in upper case, so that is what the settings hold too.
  settings_.ComPort = ToCore(PortText(FromCore(settings_.ComPort)));
  portEdit_->setCurrentText(FromCore(settings_.ComPort));
  rateEdit_->setCurrentText(FromCore(settings_.BaudRate));
  ShowText(bCom_, FromCore(settings_.BCom));
  comboBox1_->setCurrentText(FromCore(settings_.BTimeout));
  edit8_->setText(FromCore(settings_.SIM));
  edit3_->setCurrentText(FromCore(settings_.Range));
  const bool flags[] = {settings_.AutoConnect, settings_.AutoFind, settings_.FromSIM,
                        settings_.FromPHONE,   settings_.P2K,      settings_.RmMyToneDB,
                        settings_.Bluetooth,   settings_.ClearPB,  settings_.AdvancedPhoneBook};
  for (int i = 0; i < 9; ++i) checkBoxes_[i]->setChecked(flags[i]);
  bCom_->setEnabled(settings_.Bluetooth);
  // A code the box does not offer, written into the file by hand, is still shown.
  const QString language = FromCore(settings_.Language);
  if (languageEdit_->findData(language) < 0) languageEdit_->addItem(language, language);
  languageEdit_->setCurrentIndex(languageEdit_->findData(language));
  refreshing_ = false;
}

void SettingsPageWidget::BindControls() {
  auto text = [this](QComboBox* combo, std::string SettingsPage::*field) {
    connect(combo, &QComboBox::currentTextChanged, this, [this, field](const QString& value) {
      if (!refreshing_) settings_.*field = ToCore(value);
    });
  };
  connect(portEdit_, &QComboBox::currentTextChanged, this, [this](const QString& value) {
    if (refreshing_) return;
    if (value != PortText(value)) {
      portEdit_->setCurrentText(PortText(value));
      return;
    }
    settings_.ComPort = ToCore(value);
  });
  text(rateEdit_, &SettingsPage::BaudRate);
  text(bCom_, &SettingsPage::BCom);
  text(comboBox1_, &SettingsPage::BTimeout);
  text(edit3_, &SettingsPage::Range);
  connect(edit8_, &QLineEdit::textChanged, this, [this](const QString& value) {
    if (!refreshing_) settings_.SIM = ToCore(value);
  });
  bool SettingsPage::*flags[] = {
      &SettingsPage::AutoConnect, &SettingsPage::AutoFind, &SettingsPage::FromSIM,
      &SettingsPage::FromPHONE,   &SettingsPage::P2K,      &SettingsPage::RmMyToneDB,
      &SettingsPage::Bluetooth,   &SettingsPage::ClearPB,  &SettingsPage::AdvancedPhoneBook};
  for (int i = 0; i < 9; ++i) {
    connect(checkBoxes_[i], &QCheckBox::toggled, this, [this, flag = flags[i]](bool on) {
      if (!refreshing_) settings_.*flag = on;
    });
  }
  connect(languageEdit_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!refreshing_) settings_.Language = ToCore(languageEdit_->itemData(index).toString());
  });
  // The Bluetooth port is offered exactly while Bluetooth is on.
  connect(CheckBox(7), &QCheckBox::toggled, bCom_, &QWidget::setEnabled);
}

}  // namespace quorix::ui
