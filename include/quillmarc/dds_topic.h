/* Topics, topic descriptions and content-filtered topics: the operations on
 * the objects that the participant creates, finds and looks up.
 *
 * Each function is one call on the core object; results are the core's. No
 * handle or record pointer is tested. The casts from a topic to its entity
 * part and its topic description are in dds_entity.h. */
#ifndef QUILLMARC_DDS_TOPIC_H
#define QUILLMARC_DDS_TOPIC_H

#include "dds_export.h"
#include "dds_infrastructure.h"
#include "dds_listeners.h"
#include "dds_qos.h"
#include "dds_sequence.h"
#include "dds_status.h"

QUILLMARC_EXTERN_C_BEGIN

/* What any topic description tells: its name, its type's name and its
 * participant. The texts belong to the core and stay valid as long as the
 * topic description does. */
QUILLMARC_API const char* DDS_TopicDescription_get_name(DDS_TopicDescription* topic_description);
QUILLMARC_API const char* DDS_TopicDescription_get_type_name(DDS_TopicDescription* topic_description);
QUILLMARC_API DDS_DomainParticipant* DDS_TopicDescription_get_participant(DDS_TopicDescription* topic_description);

/* A topic's QoS, listener and inconsistent-topic status. get_qos and the
 * status getter overwrite the caller's record whatever the code. set_listener
 * installs a new listener (NULL allowed) with its mask; the record must stay
 * valid while the topic uses it. get_listener answers the record installed
 * through this library, or NULL. The _with_profile function hands the core's
 * library, profile and QoS names over untouched. */
QUILLMARC_API DDS_ReturnCode_t DDS_Topic_get_qos(DDS_Topic* topic, DDS_TopicQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_Topic_set_qos(DDS_Topic* topic, const DDS_TopicQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_Topic_set_qos_with_profile(DDS_Topic* topic, const char* library_name,
                                                              const char* profile_name, const char* qos_name);
QUILLMARC_API DDS_ReturnCode_t DDS_Topic_set_listener(DDS_Topic* topic, const DDS_TopicListener* listener,
                                                      DDS_StatusMask mask);
QUILLMARC_API const DDS_TopicListener* DDS_Topic_get_listener(DDS_Topic* topic);
QUILLMARC_API DDS_ReturnCode_t DDS_Topic_get_inconsistent_topic_status(DDS_Topic* topic,
                                                                       DDS_InconsistentTopicStatus* status);

/* A content-filtered topic's related topic and expression parameters (the
 * name is spelt ContentFilter, not ContentFiltered). get_expression_parameters
 * replaces the caller's sequence with copies of the core's parameters, in
 * order, whatever the code; set_expression_parameters copies the caller's
 * sequence, in order. */
QUILLMARC_API DDS_Topic* DDS_ContentFilterTopic_get_related_topic(DDS_ContentFilteredTopic* content_filtered_topic);
QUILLMARC_API DDS_ReturnCode_t DDS_ContentFilteredTopic_get_expression_parameters(
    DDS_ContentFilteredTopic* content_filtered_topic, DDS_CStringSequence* expression_parameters);
QUILLMARC_API DDS_ReturnCode_t DDS_ContentFilteredTopic_set_expression_parameters(
    DDS_ContentFilteredTopic* content_filtered_topic, const DDS_CStringSequence* expression_parameters);

QUILLMARC_EXTERN_C_END

#endif
