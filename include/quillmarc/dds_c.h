/* Umbrella header of libquillmarc: everything a C program needs. */
#ifndef QUILLMARC_DDS_C_H
#define QUILLMARC_DDS_C_H

#include "dds_primitives.h"
#include "dds_c_string.h"
#include "dds_sequence.h"
#include "dds_map.h"
#include "dds_infrastructure.h"
#include "dds_entity.h"
#include "dds_qos.h"
#include "dds_status.h"
#include "dds_listeners.h"
#include "dds_entity_sequences.h"
#include "dds_publisher.h"
#include "dds_datawriter.h"
#include "dds_domain_participant_factory.h"
#include "dds_domain_participant.h"
#include "dds_topic.h"
#include "dds_subscriber.h"
#include "dds_datareader.h"
#include "dds_condition.h"
#include "dds_waitset.h"

#endif
