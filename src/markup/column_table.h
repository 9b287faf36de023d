// The table that lays a list out in columns (tables of contents, the site index). Pages that
// begin with the HTML5 doctype get the same look from inline styles instead of the
// presentational attributes that HTML5 no longer has.
#pragma once

#include <string>

namespace velmora {

// The table's start tag and its one row's start tag.
const char* ColumnTableStart(bool bHtml5);
// A column's start tag.
const char* ColumnCellStart(bool bHtml5);

}  // namespace velmora
