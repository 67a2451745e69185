// Resource ids of the program.
#pragma once

#define IDR_MAINFRAME 102

#define AFX_IDS_APP_TITLE 0xE000
#define AFX_IDS_IDLEMESSAGE 0xE001
