// Resource ids of the program: one header per area, all included here.
#pragma once

#include "classlib_res.h"
#include "docking_res.h"
#include "game_res.h"
#include "game_window_res.h"
#include "toolkit_res.h"
#include "commandbars_game_res.h"
#include "propertygrid_res.h"
#include "profiles_res.h"
#include "customize_res.h"
#include "controls_res.h"
