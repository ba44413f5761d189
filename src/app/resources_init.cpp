#include "app/resources_init.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitCarriedResources() {
  Q_INIT_RESOURCE(app_resources);
  Q_INIT_RESOURCE(vantrel_pictures);
  Q_INIT_RESOURCE(vantrel_translations);
}

namespace app {

void InitResources() { InitCarriedResources(); }

}  // namespace app
