#include "app/ui/AboutBox.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

namespace quorix::ui {

namespace {

QString CppLibrary() {
#if defined(_GLIBCXX_RELEASE)
  return QString("GNU libstdc++ %1").arg(_GLIBCXX_RELEASE);
#elif defined(_LIBCPP_VERSION)
  return QString("LLVM libc++ %1").arg(_LIBCPP_VERSION);
#else
  return "C++ standard library";
#endif
}

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("Form5");
  setWindowTitle("About");
  setMinimumWidth(240);
  auto* name = new QLabel("<b>Quorix</b>", this);
  name->setObjectName("ProductName");
  auto* version = new QLabel(QString("Version %1").arg(QUORIX_VERSION), this);
  version->setObjectName("Version");
  auto* libraries = new QLabel(Libraries(), this);
  libraries->setObjectName("Libraries");
  auto* ok = new QPushButton("&OK", this);
  ok->setObjectName("OKButton");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 16, 24, 12);
  for (QLabel* label : {name, version, libraries}) {
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
  }
  layout->addWidget(ok, 0, Qt::AlignHCenter);
}

QString AboutBox::Libraries() {
  return QString("Qt %1\nSimpleIni\n%2").arg(qVersion(), CppLibrary());
}

}  // namespace quorix::ui
