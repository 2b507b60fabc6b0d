#pragma once
// Resource identifiers shared by the .rc file and the code that loads them.
#define IDI_ORVANE 101
