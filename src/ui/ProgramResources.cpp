#include "ui/ProgramResources.h"

#include <QtGlobal>

// Outside any namespace, as the resource system requires.
static void InitResourcesOfTheLibrary() { Q_INIT_RESOURCE(resources); }

namespace poirec {

void InitProgramResources() { InitResourcesOfTheLibrary(); }

}  // namespace poirec
