#include "markup/column_table.h"

namespace velmora {

const char* ColumnTableStart(bool bHtml5) {
  return bHtml5 ? "<table style=\"border-spacing: 0\"><tr>"
                : "<table cellspacing=\"0\" cellpadding=\"5\" border=\"0\"><tr>";
}

const char* ColumnCellStart(bool bHtml5) {
  return bHtml5 ? "<td style=\"vertical-align: top; padding: 5px\">" : "<td valign=\"top\">";
}

}  // namespace velmora
