// The program's version, in this one place: the version resource, the
// version page and the download package take it from here.
#pragma once

#define RAVO_VERSION_MAJOR 1
#define RAVO_VERSION_MINOR 25

#define RAVO_VERSION_STRING2(x) #x
#define RAVO_VERSION_STRING(x) RAVO_VERSION_STRING2(x)
#define RAVO_VERSION_TEXT RAVO_VERSION_STRING(RAVO_VERSION_MAJOR) "." RAVO_VERSION_STRING(RAVO_VERSION_MINOR)
