#include "dialogs/HelpAbout.h"

#include <QString>

namespace vz {

std::string HelpText() {
    return "a) Right click on the Full, Left, Right screen or Colorbars to change values.\r\n\r\n"
           "b) Left click another item/area to exit.\r\n\r\n"
           "c) Right click on bottom return in Ascope area to set/reset Range Gate.\r\n\r\n"
           "d) Use 'View' menu to remove range gate.\r\n\r\n"
           "e) Data files saved to disk are automatically labeled 'IYMDDHH.mmI' where Y=Year, "
           "M=month,\r\n"
           "     DD=day, HH=hour, mm=minute when date was created.";
}

std::string AboutNumber(double value) {
    // Serial numbers run to ten digits: all of them are shown, never an exponent.
    return (value < 0 ? "" : " ") + QString::number(value, 'g', 15).toStdString();
}

} // namespace vz
