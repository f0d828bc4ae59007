#pragma once
// Resource ids of the program's own resources (the icon, the manifest, the version).
#define IDI_CORVANE 1
