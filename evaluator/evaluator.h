// Kept only for ui/web/page.cpp, which includes it by its old name: include driver.h instead.
// To go once the page's core includes driver.h.
#pragma once

#include "driver.h"
