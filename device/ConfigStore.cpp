#include "ConfigStore.h"

namespace qx9 {

ConfigStore::ConfigStore() {
    ResetBothToDefaults();
}

void ConfigStore::ResetBothToDefaults() {
    ResetConfigDefaults(edit_);
    ResetConfigDefaults(base_);
}

}  // namespace qx9
