/* Data writer: writes, registers, unregisters and disposes samples, and
 * reports its QoS, statuses and matched subscriptions.
 *
 * A writer is made by DDS_Publisher_create_datawriter and belongs to its
 * publisher. Every function answers the core's return code or value
 * unchanged, and tests no writer handle.
 *
 * Samples are the caller's: a sample pointer goes to the core untouched and
 * the library never reads or writes through it. The core copies a sample's
 * bytes as the topic's type describes them.
 *
 * Instance handle arguments are taken by pointer:
 *   NULL                  no handle;
 *   a record not valid    no handle, whatever its value bytes hold;
 *   a valid record        that instance.
 * Any copy of DDS_HANDLE_NIL means no handle. Handles come back by value; the
 * value bytes of a handle that is not valid are zero. */
#ifndef QUILLMARC_DDS_DATAWRITER_H
#define QUILLMARC_DDS_DATAWRITER_H

#include "dds_entity_sequences.h"
#include "dds_infrastructure.h"
#include "dds_listeners.h"
#include "dds_qos.h"
#include "dds_status.h"

QUILLMARC_EXTERN_C_BEGIN

/* Samples and instances. The _w_timestamp forms give the source timestamp,
 * copied as it is; the others let the core stamp the sample. get_key_value
 * writes the instance's key into the caller's key_holder sample.
 *
 * Unregistering disposes too under the default QoS, whose
 * writer_data_lifecycle.autodispose_unregistered_instances is true: readers
 * then see the instance DDS_NOT_ALIVE_DISPOSED_INSTANCE_STATE. A writer that
 * should only let go of an instance (readers see
 * DDS_NOT_ALIVE_NO_WRITERS_INSTANCE_STATE once no writer is left) is created
 * with that field false. Deleting a writer unregisters its instances, with
 * the same effect. */
QUILLMARC_API DDS_InstanceHandle_t DDS_DataWriter_register_instance(DDS_DataWriter* writer,
                                                                    const void* instance_data);
QUILLMARC_API DDS_InstanceHandle_t DDS_DataWriter_register_instance_w_timestamp(DDS_DataWriter* writer,
                                                                                const void* instance_data,
                                                                                const DDS_Time_t* source_timestamp);
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_unregister_instance(DDS_DataWriter* writer, const void* instance_data,
                                                                  const DDS_InstanceHandle_t* handle);
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_unregister_instance_w_timestamp(DDS_DataWriter* writer,
                                                                              const void* instance_data,
                                                                              const DDS_InstanceHandle_t* handle,
                                                                              const DDS_Time_t* source_timestamp);
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_get_key_value(DDS_DataWriter* writer, void* key_holder,
                                                            const DDS_InstanceHandle_t* handle);
QUILLMARC_API DDS_InstanceHandle_t DDS_DataWriter_lookup_instance(DDS_DataWriter* writer, const void* instance_data);
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_write(DDS_DataWriter* writer, const void* data,
                                                    const DDS_InstanceHandle_t* handle);
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_write_w_timestamp(DDS_DataWriter* writer, const void* data,
                                                                const DDS_InstanceHandle_t* handle,
                                                                const DDS_Time_t* source_timestamp);
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_dispose(DDS_DataWriter* writer, const void* data,
                                                      const DDS_InstanceHandle_t* handle);
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_dispose_w_timestamp(DDS_DataWriter* writer, const void* data,
                                                                  const DDS_InstanceHandle_t* handle,
                                                                  const DDS_Time_t* source_timestamp);

/* QoS. get_qos overwrites the caller's initialised record whatever code it
 * answers; set_qos always reads its record. set_qos_with_profile hands the
 * three profile names to the core untouched. */
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_get_qos(DDS_DataWriter* writer, DDS_DataWriterQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_set_qos(DDS_DataWriter* writer, const DDS_DataWriterQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_set_qos_with_profile(DDS_DataWriter* writer, const char* library_name,
                                                                   const char* profile_name, const char* qos_name);

/* The listener: the record stays the caller's and must stay valid while the
 * writer uses it (NULL: no callback). get_listener answers the record of the
 * last set_listener, or of the creation, and NULL when there is none. */
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_set_listener(DDS_DataWriter* writer,
                                                           const DDS_DataWriterListener* listener,
                                                           DDS_StatusMask mask);
QUILLMARC_API const DDS_DataWriterListener* DDS_DataWriter_get_listener(DDS_DataWriter* writer);

/* Statuses, written into the caller's record whatever code is answered. */
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_get_liveliness_lost_status(DDS_DataWriter* writer,
                                                                         DDS_LivelinessLostStatus* status);
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_get_offered_deadline_missed_status(
    DDS_DataWriter* writer, DDS_OfferedDeadlineMissedStatus* status);
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_get_offered_incompatible_qos_status(
    DDS_DataWriter* writer, DDS_OfferedIncompatibleQosStatus* status);
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_get_publication_matched_status(DDS_DataWriter* writer,
                                                                             DDS_PublicationMatchedStatus* status);

QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_wait_for_acknowledgments(DDS_DataWriter* writer,
                                                                       const DDS_Duration_t* max_wait);
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_assert_liveliness(DDS_DataWriter* writer);

/* The writer's topic and publisher; they belong to the participant. */
QUILLMARC_API DDS_Topic* DDS_DataWriter_get_topic(DDS_DataWriter* writer);
QUILLMARC_API DDS_Publisher* DDS_DataWriter_get_publisher(DDS_DataWriter* writer);

/* Matched subscriptions. get_matched_subscription_data fills the caller's
 * initialised record (DDS_SubscriptionBuiltinTopicData_initialize) whatever
 * code it answers; the handle argument follows the rule above.
 * get_matched_subscriptions replaces the whole content of the caller's
 * sequence with the matched handles, in the core's order, whatever code it
 * answers. */
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_get_matched_subscription_data(
    DDS_DataWriter* writer, DDS_SubscriptionBuiltinTopicData* subscription_data,
    const DDS_InstanceHandle_t* subscription_handle);
QUILLMARC_API DDS_ReturnCode_t DDS_DataWriter_get_matched_subscriptions(
    DDS_DataWriter* writer, DDS_InstanceHandle_tSequence* subscription_handles);

QUILLMARC_EXTERN_C_END

#endif
