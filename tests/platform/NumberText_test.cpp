#include "platform/NumberText.h"

#include <gtest/gtest.h>
