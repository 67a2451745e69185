// Ids of the game's resources.
#pragma once

#define IDR_MAINFRAME 102
