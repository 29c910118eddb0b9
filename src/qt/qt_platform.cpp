#include "qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

#include <functional>

#include "file_dialog.h"
#include "text/number_text.h"

namespace kwl::qt {

QString FromProgramText(const std::string& utf8) {
  QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

QtPlatform::QtPlatform(QWidget* owner) : owner_(owner) { clock_.start(); }

Answer QtPlatform::ShowMessage(const MessageBox& box) {
  QMessageBox mb(owner_);
  mb.setWindowTitle(FromProgramText(box.title));
  mb.setText(FromProgramText(box.text));
  switch (box.icon) {
    case Icon::Information: mb.setIcon(QMessageBox::Information); break;
    case Icon::Warning: mb.setIcon(QMessageBox::Warning); break;
    case Icon::Error: mb.setIcon(QMessageBox::Critical); break;
    case Icon::Question: mb.setIcon(QMessageBox::Question); break;
    case Icon::None: mb.setIcon(QMessageBox::NoIcon); break;
  }
  switch (box.buttons) {
    case Buttons::Ok: mb.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::YesNo: mb.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel: mb.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
  }
  if (box.defaultButton) {
    switch (*box.defaultButton) {
      case Answer::Ok: mb.setDefaultButton(QMessageBox::Ok); break;
      case Answer::Yes: mb.setDefaultButton(QMessageBox::Yes); break;
      case Answer::No: mb.setDefaultButton(QMessageBox::No); break;
      case Answer::Cancel: mb.setDefaultButton(QMessageBox::Cancel); break;
    }
  }
  switch (mb.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return box.buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::Ok;
  }
}

std::string QtPlatform::InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
  bool ok = false;
  const QString answer = QInputDialog::getText(owner_, FromProgramText(title), FromProgramText(prompt),
                                               QLineEdit::Normal, FromProgramText(defaultText), &ok);
  return ok ? answer.toStdString() : std::string();
}

QString QtPlatform::QtFilter(const std::string& filter) { return QString::fromStdString(DialogFilter(filter)); }

std::optional<std::string> QtPlatform::ChooseFile(const FileDialog& dialog) {
  const QString title = FromProgramText(dialog.title);
  const QString filter = QtFilter(dialog.filter);
  const QString start = QString::fromStdString(dialog.initialName);
  QString chosen;
  if (TakesNewName(dialog)) {
    // A save dialog, so that a new name is taken; it asks before replacing a
    // file only when told to (the output file has the program's own warning).
    QFileDialog box(owner_, title, start, filter);
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setFileMode(QFileDialog::AnyFile);
    box.setOption(QFileDialog::DontConfirmOverwrite, !(dialog.save && dialog.confirmOverwrite));
    // Set on the dialog too, so that its overwrite question names the completed name.
    box.setDefaultSuffix(QString::fromStdString(FilterExtension(dialog.filter)));
    if (box.exec() == QDialog::Accepted && !box.selectedFiles().isEmpty()) chosen = box.selectedFiles().front();
    // A desktop's own dialog may ignore the default suffix.
    if (!chosen.isEmpty()) chosen = QString::fromStdString(WithFilterExtension(chosen.toStdString(), dialog.filter));
  } else {
    chosen = QFileDialog::getOpenFileName(owner_, title, start, filter);
  }
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.toStdString();
}

std::optional<std::vector<std::string>> QtPlatform::ChooseFiles(const FileDialog& dialog) {
  if (!dialog.multiple || TakesNewName(dialog)) return Platform::ChooseFiles(dialog);
  const QStringList chosen = QFileDialog::getOpenFileNames(owner_, FromProgramText(dialog.title),
                                                           QString::fromStdString(dialog.initialName),
                                                           QtFilter(dialog.filter));
  if (chosen.isEmpty()) return std::nullopt;
  std::vector<std::string> paths;
  for (const QString& path : chosen) paths.push_back(path.toStdString());
  return paths;
}

std::optional<std::string> QtPlatform::ChooseFolder(const std::string& title) {
  const QString chosen = QFileDialog::getExistingDirectory(owner_, FromProgramText(title));
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.toStdString();
}

std::string QtPlatform::ClipboardText() { return QGuiApplication::clipboard()->text().toStdString(); }

void QtPlatform::SetClipboardText(const std::string& utf8) {
  QGuiApplication::clipboard()->setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

void QtPlatform::ProcessEvents() { QCoreApplication::processEvents(); }

bool QtPlatform::OpenUrl(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

std::string QtPlatform::FormatGrouped(std::int64_t n) {
  const QLocale locale = QLocale::system();
  // The C locale groups no digits; the program's default is English grouping.
  if (locale.language() == QLocale::C) return GroupDigits(n);
  return locale.toString(static_cast<qlonglong>(n)).toStdString();
}

std::string QtPlatform::DecimalSeparator() {
  const QLocale locale = QLocale::system();
  // English decimals go with the English grouping of the C locale.
  if (locale.language() == QLocale::C) return ".";
  return locale.decimalPoint().toStdString();
}

std::int64_t QtPlatform::MonotonicMs() { return clock_.elapsed(); }

namespace {
// The notice: one label as wide as the window; a click closes it early.
class PopUpLabel : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> onClick;

 protected:
  void mouseReleaseEvent(QMouseEvent*) override {
    if (onClick) onClick();
  }
};
}  // namespace

void QtPlatform::PopUp(const std::string& text, int width, int height, int milliseconds, int top, int left) {
  QDialog popup(owner_, Qt::Tool | Qt::FramelessWindowHint);
  auto* label = new PopUpLabel(FromProgramText(text), &popup);
  label->setAlignment(Qt::AlignCenter);
  label->setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
  label->setGeometry(0, 0, width, height);
  label->onClick = [&popup] { popup.accept(); };
  popup.resize(width, height);
  if (owner_) popup.move(owner_->mapToGlobal(QPoint(left, top)));
  QTimer::singleShot(milliseconds, &popup, &QDialog::accept);
  popup.exec();
}

}  // namespace kwl::qt
