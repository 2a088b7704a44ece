#pragma once

// The workbook writer: what a caller needs to export rows to an .xlsx file.
#include "xlsx/Cell.h"
#include "xlsx/Column.h"
#include "xlsx/SheetName.h"
#include "xlsx/WorkbookWriter.h"
