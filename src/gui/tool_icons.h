// The toolbar's 16 by 16 pictures and the program's icon, drawn rather than loaded from files.
#pragma once

#include <QIcon>

namespace velmora {

// The picture of a toolbar command (its id); a null icon for other ids.
QIcon CommandIcon(int nId);
QIcon ProgramIcon();

}  // namespace velmora
