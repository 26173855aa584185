// A writer and a reader of one topic on a domain of their own, made through
// the C interface as an application makes them. Samples are Payload<Size>
// (a 4-byte key, a sequence number and filler up to Size bytes) or of a type
// the caller describes.
#ifndef QUILLMARC_BENCH_PUBSUB_H
#define QUILLMARC_BENCH_PUBSUB_H

#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "../tests/binding/c_records.h"
#include "quillmarc/dds_c.h"
#include "zorvex/zorvex.h"

template <size_t Size>
struct Payload {
  static_assert(Size >= 8, "room for the key and the sequence number");
  int32_t key = 0;
  uint32_t sequence = 0;
  unsigned char filler[Size - 8] = {};
};

// The QoS both endpoints get: reliable and KEEP_ALL unless `depth` asks for
// KEEP_LAST; `max_samples` bounds what the reader holds (a reliable writer
// then waits for room).
struct EndpointQos {
  int depth = 0;
  int max_samples = DDS_LENGTH_UNLIMITED;
};

class PubSub {
 public:
  // A topic of Payload<sample_size>, keyed by its first four bytes.
  PubSub(size_t sample_size, EndpointQos endpoint, const DDS_DataReaderListener* listener = nullptr,
         DDS_StatusMask mask = DDS_STATUS_MASK_NONE)
      : PubSub(ZORVEX_TypeDescriptor{sample_size, 0, sizeof(int32_t)}, endpoint, listener, mask) {}
  // A topic of any type.
  PubSub(const ZORVEX_TypeDescriptor& type, EndpointQos endpoint, const DDS_DataReaderListener* listener = nullptr,
         DDS_StatusMask mask = DDS_STATUS_MASK_NONE) {
    static int next_domain = 200;
    factory_ = DDS_DomainParticipantFactory_get_instance();
    participant_ = DDS_DomainParticipantFactory_create_participant(factory_, next_domain++,
                                                                   DDS_DOMAINPARTICIPANT_QOS_DEFAULT, nullptr,
                                                                   DDS_STATUS_MASK_NONE);
    DDS_DomainParticipant_registe_type(participant_, "Payload", &type);
    DDS_Topic* topic = DDS_DomainParticipant_create_topic(participant_, "Bench", "Payload", DDS_TOPIC_QOS_DEFAULT,
                                                          nullptr, DDS_STATUS_MASK_NONE);
    publisher_ = DDS_DomainParticipant_create_publisher(participant_, DDS_PUBLISHER_QOS_DEFAULT, nullptr,
                                                        DDS_STATUS_MASK_NONE);
    subscriber_ = DDS_DomainParticipant_create_subscriber(participant_, DDS_SUBSCRIBER_QOS_DEFAULT, nullptr,
                                                          DDS_STATUS_MASK_NONE);

    CWriterQos wqos;
    DDS_Publisher_get_default_datawriter_qos(publisher_, wqos.get());
    apply(endpoint, wqos->reliability, wqos->history);
    writer = DDS_Publisher_create_datawriter(publisher_, topic, wqos.get(), nullptr, DDS_STATUS_MASK_NONE);

    CReaderQos rqos;
    DDS_Subscriber_get_default_datareader_qos(subscriber_, rqos.get());
    apply(endpoint, rqos->reliability, rqos->history);
    rqos->resource_limits.max_samples = endpoint.max_samples;
    reader = DDS_Subscriber_create_datareader(subscriber_, DDS_Topic_as_topicdescription(topic), rqos.get(),
                                              listener, mask);
    if (writer == nullptr || reader == nullptr) throw std::runtime_error("endpoints not created");
  }
  ~PubSub() {
    DDS_DomainParticipant_delete_contained_entities(participant_);
    DDS_DomainParticipantFactory_delete_participant(factory_, participant_);
  }
  PubSub(const PubSub&) = delete;
  PubSub& operator=(const PubSub&) = delete;

  // The core objects behind the handles: a handle is the core object's address.
  ZORVEX::DataWriter* core_writer() const { return reinterpret_cast<ZORVEX::DataWriter*>(writer); }
  ZORVEX::DataReader* core_reader() const { return reinterpret_cast<ZORVEX::DataReader*>(reader); }

  DDS_DataWriter* writer = nullptr;
  DDS_DataReader* reader = nullptr;

 private:
  static void apply(const EndpointQos& endpoint, DDS_ReliabilityQosPolicy& reliability,
                    DDS_HistoryQosPolicy& history) {
    reliability.kind = DDS_RELIABLE_RELIABILITY_QOS;
    reliability.max_blocking_time = {10, 0};
    history.kind = endpoint.depth > 0 ? DDS_KEEP_LAST_HISTORY_QOS : DDS_KEEP_ALL_HISTORY_QOS;
    history.depth = endpoint.depth > 0 ? endpoint.depth : 1;
  }

  DDS_DomainParticipantFactory* factory_ = nullptr;
  DDS_DomainParticipant* participant_ = nullptr;
  DDS_Publisher* publisher_ = nullptr;
  DDS_Subscriber* subscriber_ = nullptr;
};

#endif
