#include "editor/Cellimages.h"

#include "resources/Pictures.h"

namespace {

QImage LoadCellImage(const char* name)
{
    return LoadPicture(QString::fromLatin1(name)).toImage();
}

} // namespace

const C_CellImages& C_CellImages::Shared()
{
    // Held as images, which unlike pixmaps may outlive the application object.
    static const C_CellImages images{LoadCellImage("LED_ON"), LoadCellImage("LED_OFF"), LoadCellImage("SWITCH_ON"),
                                     LoadCellImage("LAST_COLUMN"), LoadCellImage("ROW_SEPARATOR")};
    return images;
}
