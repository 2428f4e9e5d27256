// The two main windows' titles and banners, apart from the dialog tables so
// that the un-installer, which shows no dialog, carries none of them.
#include "setup/setupdialogs.h"

namespace kovala {

const TBannerWindowResource InstallWindowResource{"Installation Utility", "Installation Utility for Kovala",
                                                  "ATOMBOMB"};
const TBannerWindowResource UnInstallWindowResource{"Un-Installation Utility",
                                                    "Un-Install Utility for Kovala", "ATOMBOMB"};

}  // namespace kovala
