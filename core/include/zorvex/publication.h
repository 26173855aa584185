// Publishing side: Publisher and DataWriter.
#ifndef ZORVEX_PUBLICATION_H
#define ZORVEX_PUBLICATION_H

#include <string>
#include <vector>

#include "zorvex/entity.h"
#include "zorvex/listeners.h"
#include "zorvex/qos.h"
#include "zorvex/status.h"

namespace ZORVEX {

class QUILLMAR_API Publisher : public virtual Entity {
public:
    ~Publisher() override;
    // DATAWRITER_QOS_DEFAULT: the publisher's default writer QoS. Null when
    // the topic is not of this participant or the QoS is inconsistent.
    virtual DataWriter* create_datawriter(Topic* topic, const DataWriterQos& qos,
                                          DataWriterListener* listener, const StatusMask& mask);
    virtual DataWriter* create_datawriter_with_qos_profile(Topic* topic, const char* library_name,
                                                           const char* profile_name, const char* qos_name,
                                                           DataWriterListener* listener, StatusMask mask);
    // Sets `writer` to null on success.
    virtual ReturnCode_t delete_datawriter(DataWriter*& writer);
    virtual DataWriter* lookup_datawriter(const std::string& topic_name);
    virtual ReturnCode_t suspend_publications();
    virtual ReturnCode_t resume_publications();
    virtual ReturnCode_t begin_coherent_changes();
    virtual ReturnCode_t end_coherent_changes();
    virtual ReturnCode_t wait_for_acknowledgments(const Duration_t& max_wait);
    virtual DomainParticipant* get_participant();
    virtual ReturnCode_t delete_contained_entities();
    virtual ReturnCode_t set_qos(const PublisherQos& qos);
    virtual ReturnCode_t get_qos(PublisherQos& qos);
    virtual ReturnCode_t set_qos_with_profile(const char* library_name, const char* profile_name,
                                              const char* qos_name);
    virtual ReturnCode_t set_listener(PublisherListener* listener, const StatusMask& mask);
    virtual PublisherListener* get_listener();
    virtual ReturnCode_t set_default_datawriter_qos(const DataWriterQos& qos);
    virtual ReturnCode_t get_default_datawriter_qos(DataWriterQos& qos);
    virtual ReturnCode_t set_default_datawriter_qos_with_profile(const char* library_name,
                                                                 const char* profile_name,
                                                                 const char* qos_name);

    // Copies the topic's policies that a writer also has into `datawriter_qos`.
    static ReturnCode_t copy_from_topic_qos(DataWriterQos& datawriter_qos, const TopicQos& topic_qos);
};

// Samples are untyped: the writer copies sample_size bytes (the topic type's
// descriptor) from each sample pointer and finds the instance by its key
// bytes. A valid handle argument must be the one registered for that key.
class QUILLMAR_API DataWriter : public virtual Entity {
public:
    ~DataWriter() override;
    virtual InstanceHandle_t register_instance(const void* instance_data);
    virtual InstanceHandle_t register_instance_w_timestamp(const void* instance_data,
                                                           const Time_t& source_timestamp);
    virtual ReturnCode_t unregister_instance(const void* instance_data, const InstanceHandle_t& handle);
    virtual ReturnCode_t unregister_instance_w_timestamp(const void* instance_data,
                                                         const InstanceHandle_t& handle,
                                                         const Time_t& source_timestamp);
    // Writes the key bytes of the instance into `key_holder`.
    virtual ReturnCode_t get_key_value(void* key_holder, const InstanceHandle_t& handle);
    virtual InstanceHandle_t lookup_instance(const void* instance_data);
    virtual ReturnCode_t write(const void* data, const InstanceHandle_t& handle);
    virtual ReturnCode_t write_w_timestamp(const void* data, const InstanceHandle_t& handle,
                                           const Time_t& source_timestamp);
    virtual ReturnCode_t dispose(const void* data, const InstanceHandle_t& handle);
    virtual ReturnCode_t dispose_w_timestamp(const void* data, const InstanceHandle_t& handle,
                                             const Time_t& source_timestamp);
    virtual ReturnCode_t wait_for_acknowledgments(const Duration_t& max_wait);
    virtual ReturnCode_t get_liveliness_lost_status(LivelinessLostStatus& status);
    virtual ReturnCode_t get_offered_deadline_missed_status(OfferedDeadlineMissedStatus& status);
    virtual ReturnCode_t get_offered_incompatible_qos_status(OfferedIncompatibleQosStatus& status);
    virtual ReturnCode_t get_publication_matched_status(PublicationMatchedStatus& status);
    virtual ReturnCode_t assert_liveliness();
    virtual Topic* get_topic();
    virtual Publisher* get_publisher();
    virtual ReturnCode_t get_matched_subscription_data(SubscriptionBuiltinTopicData& subscription_data,
                                                       const InstanceHandle_t& subscription_handle);
    virtual ReturnCode_t get_matched_subscriptions(std::vector<InstanceHandle_t>& subscription_handles);
    virtual ReturnCode_t set_qos(const DataWriterQos& qos);
    virtual ReturnCode_t get_qos(DataWriterQos& qos);
    virtual ReturnCode_t set_qos_with_profile(const char* library_name, const char* profile_name,
                                              const char* qos_name);
    virtual ReturnCode_t set_listener(DataWriterListener* listener, const StatusMask& mask);
    virtual DataWriterListener* get_listener();
};

}  // namespace ZORVEX

#endif
