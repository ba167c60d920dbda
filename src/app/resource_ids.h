// Identifiers of the installer's own resources. The resource script includes
// this file too, so it holds preprocessor definitions only.
#pragma once

#define KAVADESK_WINDOW_CLASS_STRING 109
#define KAVADESK_ICON_GROUP 100
#define KAVADESK_ARCHIVE_TOOL_TYPE 2000
#define KAVADESK_ARCHIVE_TOOL_ID 2001
#define KAVADESK_LANGUAGE_TYPE 1000
#define KAVADESK_LOGO_TYPE 3000
#define KAVADESK_LOGO_ID 3001
