// Ids of the class-library layer's own resources.
#pragma once

#define AFX_IDS_APP_TITLE 0xE000
#define AFX_IDS_IDLEMESSAGE 0xE001
