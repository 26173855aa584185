// The whole C++ interface of libquillmar, the core DDS library.
#ifndef ZORVEX_ZORVEX_H
#define ZORVEX_ZORVEX_H

#include "zorvex/conditions.h"
#include "zorvex/domain.h"
#include "zorvex/entity.h"
#include "zorvex/listeners.h"
#include "zorvex/publication.h"
#include "zorvex/qos.h"
#include "zorvex/sequence_base.h"
#include "zorvex/status.h"
#include "zorvex/subscription.h"
#include "zorvex/topic.h"
#include "zorvex/type_descriptor.h"
#include "zorvex/types.h"
#include "zorvex/waitset.h"

#endif
