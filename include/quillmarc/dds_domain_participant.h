/* The domain participant: registers data types, creates and deletes topics,
 * content-filtered topics, publishers and subscribers, keeps the default QoS
 * its children start from, and answers the participant-wide queries.
 *
 * Each function is one call on the core participant; results are the core's
 * (NULL from a creator or a lookup the core refuses, the core's return code
 * otherwise). Every entity a creator answers belongs to the core until its
 * delete_ function or delete_contained_entities deletes it; a delete_ never
 * changes the caller's variable. No handle, record, time or sequence pointer
 * is tested. A NULL name or type name throws std::logic_error
 * ("basic_string::_M_construct null not valid") before the core is called: a
 * C++ caller catches it, while in a C program, which cannot, it ends the
 * program through std::terminate, with that message on stderr and SIGABRT.
 * QoS records must have been given their defaults by their
 * DDS_<X>Qos_initialize first. */
#ifndef QUILLMARC_DDS_DOMAIN_PARTICIPANT_H
#define QUILLMARC_DDS_DOMAIN_PARTICIPANT_H

#include <zorvex/type_descriptor.h>

#include "dds_c_string.h"
#include "dds_entity_sequences.h"
#include "dds_export.h"
#include "dds_infrastructure.h"
#include "dds_listeners.h"
#include "dds_qos.h"
#include "dds_status.h"

QUILLMARC_EXTERN_C_BEGIN

/* The participant's QoS and listener. get_qos overwrites the caller's record
 * whatever the code. set_listener installs a new listener (NULL allowed) with
 * its mask; the record must stay valid while the participant uses it.
 * get_listener answers the record installed through this library, or NULL.
 * The _with_profile function hands the core's library, profile and QoS names
 * over untouched. Enabling and the entity part: dds_entity.h. */
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_get_qos(DDS_DomainParticipant* participant,
                                                             DDS_DomainParticipantQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_set_qos(DDS_DomainParticipant* participant,
                                                             const DDS_DomainParticipantQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_set_qos_with_profile(DDS_DomainParticipant* participant,
                                                                          const char* library_name,
                                                                          const char* profile_name,
                                                                          const char* qos_name);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_set_listener(DDS_DomainParticipant* participant,
                                                                  const DDS_DomainParticipantListener* listener,
                                                                  DDS_StatusMask mask);
QUILLMARC_API const DDS_DomainParticipantListener* DDS_DomainParticipant_get_listener(
    DDS_DomainParticipant* participant);

/* Registers a data type under `type_name` with the layout the core's type
 * descriptor gives (sample size, key offset and key size; the core copies
 * it). The descriptor goes to the core as it is; the library never reads a
 * sample. The name is spelled registe_type, without the second r: it is the
 * C face of the core participant's register_type. */
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_registe_type(DDS_DomainParticipant* participant,
                                                                  const char* type_name,
                                                                  const ZORVEX_TypeDescriptor* descriptor);

/* Publishers and subscribers. A `qos` equal to DDS_PUBLISHER_QOS_DEFAULT
 * (DDS_SUBSCRIBER_QOS_DEFAULT) as it is at the call, NULL while that is
 * NULL, creates with the participant's default QoS and reads no record.
 * The listener record (NULL allowed) must stay valid while the entity uses
 * it. The profile creators take the core's names in place of a record. */
QUILLMARC_API DDS_Publisher* DDS_DomainParticipant_create_publisher(DDS_DomainParticipant* participant,
                                                                    const DDS_PublisherQos* qos,
                                                                    const DDS_PublisherListener* listener,
                                                                    DDS_StatusMask mask);
QUILLMARC_API DDS_Publisher* DDS_DomainParticipant_create_publisher_with_qos_profile(
    DDS_DomainParticipant* participant, const char* library_name, const char* profile_name, const char* qos_name,
    const DDS_PublisherListener* listener, DDS_StatusMask mask);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_delete_publisher(DDS_DomainParticipant* participant,
                                                                      DDS_Publisher* publisher);
QUILLMARC_API DDS_Subscriber* DDS_DomainParticipant_create_subscriber(DDS_DomainParticipant* participant,
                                                                      const DDS_SubscriberQos* qos,
                                                                      const DDS_SubscriberListener* listener,
                                                                      DDS_StatusMask mask);
QUILLMARC_API DDS_Subscriber* DDS_DomainParticipant_create_subscriber_with_qos_profile(
    DDS_DomainParticipant* participant, const char* library_name, const char* profile_name, const char* qos_name,
    const DDS_SubscriberListener* listener, DDS_StatusMask mask);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_delete_subscriber(DDS_DomainParticipant* participant,
                                                                       DDS_Subscriber* subscriber);
QUILLMARC_API DDS_Subscriber* DDS_DomainParticipant_get_builtin_subscriber(DDS_DomainParticipant* participant);

/* Topics. create_topic names a type registered here; a `qos` equal to
 * DDS_TOPIC_QOS_DEFAULT as it is at the call (NULL while that is NULL)
 * creates with the participant's default topic QoS. find_topic waits up to
 * `timeout` for a topic of that name in the domain; each topic it answers is
 * deleted once more by delete_topic. lookup_topicdescription answers the
 * topic description of a topic or content-filtered topic of that name made
 * here, or NULL; it is the way to use a content-filtered topic where a
 * DDS_TopicDescription is expected. */
QUILLMARC_API DDS_Topic* DDS_DomainParticipant_create_topic(DDS_DomainParticipant* participant,
                                                            const char* topic_name, const char* type_name,
                                                            const DDS_TopicQos* qos,
                                                            const DDS_TopicListener* listener, DDS_StatusMask mask);
QUILLMARC_API DDS_Topic* DDS_DomainParticipant_create_topic_with_qos_profile(
    DDS_DomainParticipant* participant, const char* topic_name, const char* type_name, const char* library_name,
    const char* profile_name, const char* qos_name, const DDS_TopicListener* listener, DDS_StatusMask mask);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_delete_topic(DDS_DomainParticipant* participant,
                                                                  DDS_Topic* topic);
QUILLMARC_API DDS_ContentFilteredTopic* DDS_DomainParticipant_create_contentfilteredtopic(
    DDS_DomainParticipant* participant, const char* name, DDS_Topic* related_topic, const char* filter_expression,
    const DDS_CStringSequence* expression_parameters);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_delete_contentfilteredtopic(
    DDS_DomainParticipant* participant, DDS_ContentFilteredTopic* content_filtered_topic);
QUILLMARC_API DDS_Topic* DDS_DomainParticipant_find_topic(DDS_DomainParticipant* participant,
                                                          const char* topic_name, const DDS_Duration_t* timeout);
QUILLMARC_API DDS_TopicDescription* DDS_DomainParticipant_lookup_topicdescription(
    DDS_DomainParticipant* participant, const char* name);

/* Deletes every entity the participant contains, as the core carries it out;
 * the core's code tells whether it could. */
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_delete_contained_entities(DDS_DomainParticipant* participant);

/* The default QoS of the participant's new publishers, subscribers and
 * topics. A setter always reads its record (the DDS_<X>_QOS_DEFAULT
 * variables mean nothing here); a getter overwrites the caller's record
 * whatever the code. */
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_set_default_publisher_qos(DDS_DomainParticipant* participant,
                                                                               const DDS_PublisherQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_get_default_publisher_qos(DDS_DomainParticipant* participant,
                                                                               DDS_PublisherQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_set_default_subscriber_qos(DDS_DomainParticipant* participant,
                                                                                const DDS_SubscriberQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_get_default_subscriber_qos(DDS_DomainParticipant* participant,
                                                                                DDS_SubscriberQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_set_default_topic_qos(DDS_DomainParticipant* participant,
                                                                           const DDS_TopicQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_get_default_topic_qos(DDS_DomainParticipant* participant,
                                                                           DDS_TopicQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_set_default_publisher_qos_with_profile(
    DDS_DomainParticipant* participant, const char* library_name, const char* profile_name, const char* qos_name);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_set_default_subscriber_qos_with_profile(
    DDS_DomainParticipant* participant, const char* library_name, const char* profile_name, const char* qos_name);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_set_default_topic_qos_with_profile(
    DDS_DomainParticipant* participant, const char* library_name, const char* profile_name, const char* qos_name);

/* Participant-wide queries. A handle is read where it points (a valid byte of
 * 0 means no handle, whatever its value bytes). The discovered-data getters
 * overwrite the caller's record whatever the code. get_discovered_participants
 * and get_discovered_topics are not provided: they answer
 * DDS_RETCODE_UNSUPPORTED and touch nothing. get_current_time reads the
 * system clock (the participant is not used) and writes `current_time`
 * whatever the code. */
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_ignore_participant(DDS_DomainParticipant* participant,
                                                                        const DDS_InstanceHandle_t* handle);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_ignore_topic(DDS_DomainParticipant* participant,
                                                                  const DDS_InstanceHandle_t* handle);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_ignore_publication(DDS_DomainParticipant* participant,
                                                                        const DDS_InstanceHandle_t* handle);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_ignore_subscription(DDS_DomainParticipant* participant,
                                                                         const DDS_InstanceHandle_t* handle);
QUILLMARC_API DDS_Boolean DDS_DomainParticipant_contains_entity(DDS_DomainParticipant* participant,
                                                                const DDS_InstanceHandle_t* handle);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_get_discovered_participant_data(
    DDS_DomainParticipant* participant, DDS_ParticipantBuiltinTopicData* participant_data,
    const DDS_InstanceHandle_t* participant_handle);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_get_discovered_topic_data(DDS_DomainParticipant* participant,
                                                                               DDS_TopicBuiltinTopicData* topic_data,
                                                                               const DDS_InstanceHandle_t* topic_handle);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_get_discovered_participants(
    DDS_DomainParticipant* participant, DDS_InstanceHandle_tSequence* participant_handles);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_get_discovered_topics(DDS_DomainParticipant* participant,
                                                                           DDS_InstanceHandle_tSequence* topic_handles);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_assert_liveliness(DDS_DomainParticipant* participant);
QUILLMARC_API DDS_DomainId_t DDS_DomainParticipant_get_domain_id(DDS_DomainParticipant* participant);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_get_current_time(DDS_DomainParticipant* participant,
                                                                      DDS_Time_t* current_time);

QUILLMARC_EXTERN_C_END

#endif
