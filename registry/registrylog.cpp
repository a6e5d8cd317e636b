#include "registry/registrylog.h"

Q_LOGGING_CATEGORY(lcRegistry, "vandor.registry")
