// The two main windows' titles and banners, apart from the dialog tables so
// that the un-installer, which shows no dialog, carries none of them.
#include "i18n/translate.h"
#include "setup/setupdialogs.h"

namespace kovala {

const TBannerWindowResource InstallWindowResource{TrNoop("Installation Utility"),
                                                  TrNoop("Installation Utility for Kovala"), "ATOMBOMB"};
const TBannerWindowResource UnInstallWindowResource{TrNoop("Un-Installation Utility"),
                                                    TrNoop("Un-Install Utility for Kovala"), "ATOMBOMB"};

}  // namespace kovala
