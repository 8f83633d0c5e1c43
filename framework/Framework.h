#pragma once
// The program's window framework: the classes the dialog, the picture control and the application use.

#include "framework/CmdTarget.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/ExceptionReport.h"
#include "framework/File.h"
#include "framework/Gdi.h"
#include "framework/Handles.h"
#include "framework/MessageMap.h"
#include "framework/RegKey.h"
#include "framework/String.h"
#include "framework/Thread.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
