// The ids of the customise dialogs' resources, shared with the resource
// script: one definition of each number.
#pragma once
#include "customize_res.h"
#include "toolkit_res.h"   // XTP_IDC_COMMANDBARS_RESIZE
