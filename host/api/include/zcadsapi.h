// The host's run-time, editor and command-line interface in one include.
#pragma once

#include "zadsdef.h"
#include "zcadstrc.h"
#include "zcedads.h"
#include "zcedcmd.h"
#include "zcrxentry.h"
#include "zcrxobj.h"
#include "zcrxsys.h"
#include "zcutads.h"
