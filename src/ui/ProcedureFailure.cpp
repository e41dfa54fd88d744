#include "ui/ProcedureFailure.h"

#include "platform/Messages.h"

void reportProcedureFailure()
{
    static bool reporting = false;
    if (reporting) {
        return;
    }
    reporting = true;
    show_current_failure();
    reporting = false;
}
