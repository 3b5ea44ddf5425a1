#pragma once
// Every control of the platform layer in one include.
#include "platform/animate.h"
#include "platform/control.h"
#include "platform/edit.h"
#include "platform/label.h"
#include "platform/memo.h"
#include "platform/picture.h"
#include "platform/timer.h"
