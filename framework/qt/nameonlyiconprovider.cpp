#include "framework/qt/nameonlyiconprovider.h"

#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QMimeType>

#include "i18n/translate.h"

namespace kovala {

namespace {

// The type the name's extension stands for; the default type when none does.
// The QString overload with MatchExtension looks at the name and nothing else.
QMimeType TypeByName(const QFileInfo& info) {
  static const QMimeDatabase database;
  return database.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
}

}  // namespace

QIcon TNameOnlyIconProvider::icon(const QFileInfo& info) const {
  if (info.isDir()) return icon(QAbstractFileIconProvider::Folder);
  const QIcon generic = icon(QAbstractFileIconProvider::File);
  if (!info.isFile()) return generic;  // a pipe, device or socket
  const QMimeType type = TypeByName(info);
  if (type.isDefault()) return generic;
  return QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(), generic));
}

QString TNameOnlyIconProvider::type(const QFileInfo& info) const {
  if (info.isDir()) return QString::fromUtf8(Tr("Folder"));
  if (!info.isFile()) return QString::fromUtf8(Tr("Special File"));
  const QMimeType type = TypeByName(info);
  if (type.isDefault()) return QString::fromUtf8(Tr("File"));
  return type.comment().isEmpty() ? type.name() : type.comment();
}

}  // namespace kovala
