#include "FrmMain/Qt/QtPorts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

#include "FrmMain/Qt/QtText.h"
#include "ModScreen/Qt/ModScreen.h"

namespace velmora::frmmain::qt {
namespace {

const QString kCrlfString = QStringLiteral("\r\n");
const QString kLfString = QStringLiteral("\n");

}  // namespace

TxtZ3950Box::TxtZ3950Box(QPlainTextEdit& edit) : edit_(edit) {}

void TxtZ3950Box::SetText(TextView text) {
  lastSet_ = ToQString(text);
  edit_.setPlainText(lastSet_);  // also clears the document's modified flag
}

Text TxtZ3950Box::GetText() const {
  const QTextDocument& document = *edit_.document();
  // Untouched since it was set (undoing back to that state counts too).
  if (!document.isModified()) return ToText(lastSet_);
  // «245=10$aTitle» ¶ «100=1#$aAuthor» -> «245=10$aTitle␍␊100=1#$aAuthor»
  qsizetype size = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    size += block.length() + 1;  // length() counts the break as one
  }
  Text out;
  out.reserve(static_cast<std::size_t>(size));
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin()) out.append(text::kCrlf);
    out.append(ToText(block.text()));
  }
  return out;
}

bool QtClipboard::OffersText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
  return data != nullptr && data->hasText();
}

std::optional<Text> QtClipboard::ReadText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
  if (data == nullptr || !data->hasText()) return std::nullopt;
  return ToText(data->text());
}

void QtClipboard::WriteText(TextView text) {
  QString platformText = ToQString(text);
  platformText.replace(kCrlfString, kLfString);
  QGuiApplication::clipboard()->setText(platformText, QClipboard::Clipboard);
}

void QtMessageBox::Show(TextView message) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(kApplicationTitle), ToQString(message),
                  QMessageBox::Ok, parent_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void QtMessageBox::ShowFailure(std::string_view description) {
  QMessageBox box(QMessageBox::Critical, ToQString(kApplicationTitle),
                  QString::fromUtf8(description.data(), static_cast<qsizetype>(description.size())),
                  QMessageBox::Ok, parent_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void QtStacking::SetOnTop() {
  modscreen::SetWindowOnTop(form_);
}

void QtStacking::SetNotOnTop() {
  modscreen::SetWindowNotOnTop(form_);
}

}  // namespace velmora::frmmain::qt
