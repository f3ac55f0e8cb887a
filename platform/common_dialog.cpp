#include "platform/common_dialog.h"

namespace platform {

void CommonDialog::ShowOpen()
{
    FileName = m_dialogs.ShowOpen(m_parent, OpenRequest{InitDir, Filter, FileName, DefaultExt});
}

} // namespace platform
