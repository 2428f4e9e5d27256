// Icons and type names for the file dialogs, taken from a file's name alone.
#pragma once

#include <QFileIconProvider>

namespace kovala {

// Qt's own provider guesses a file's type by reading its first bytes, which
// blocks for good on a file that never ends or never answers (/proc/kmsg, a
// pipe); a folder of such files froze the dialog. This one goes by the name
// and the kind of entry only, so listing a folder never opens what it lists.
class TNameOnlyIconProvider : public QFileIconProvider {
 public:
  using QFileIconProvider::icon;
  QIcon icon(const QFileInfo& info) const override;
  QString type(const QFileInfo& info) const override;
};

}  // namespace kovala
