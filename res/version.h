// The version block: the one place that names the version and the program.
// The build reads TARVEL_VERSION_TEXT from here for its own metadata; keep it
// a plain string literal.
#pragma once

#define TARVEL_VERSION_MAJOR 1
#define TARVEL_VERSION_MINOR 0
#define TARVEL_VERSION_PATCH 0
#define TARVEL_VERSION_BUILD 1
#define TARVEL_VERSION_TEXT "1.0.0.1"

#define TARVEL_COMPANY_NAME ""
#define TARVEL_FILE_DESCRIPTION "Tarvel MFC Application"
#define TARVEL_FILE_VERSION "1, 0, 0, 1"
#define TARVEL_INTERNAL_NAME "Tarvel"
#define TARVEL_LEGAL_TRADEMARKS ""
#define TARVEL_ORIGINAL_FILENAME "Tarvel.EXE"
#define TARVEL_PRODUCT_NAME "Tarvel Application"
#define TARVEL_PRODUCT_VERSION "1, 0, 0, 1"
