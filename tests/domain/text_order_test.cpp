// The order in which the creators build their arguments, seen through the
// allocations they make: texts long enough to live on the heap, each of a
// length of its own, so that the size of an allocation names what it is for.
// This program's operator new records those sizes (allocation_recording).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "allocation_recording.h"
#include "binding/listener_bridges.h"
#include "doubles.h"
#include "quillmarc/dds_c.h"

namespace {

using ::testing::_;
using ::testing::Return;

// A text of n characters, held on the heap by a std::string as n + 1 bytes.
std::string text_of(std::size_t n, char c) { return std::string(n, c); }

class TextOrder : public ::testing::Test {
 protected:
  domain::Participant participant;
  DDS_DomainParticipant* p =
      reinterpret_cast<DDS_DomainParticipant*>(static_cast<ZORVEX::DomainParticipant*>(&participant));
  const std::string topic_name = text_of(90, 't');  // 91 bytes
  const std::string type_name = text_of(70, 'y');   // 71 bytes
};

TEST_F(TextOrder, CreateTopicMakesTheBridgeThenTheTypeNameThenTheTopicName) {
  EXPECT_CALL(participant, create_topic(topic_name, type_name, _, _, _))
      .WillOnce([](const std::string&, const std::string&, const ZORVEX::TopicQos&, ZORVEX::TopicListener* l,
                   const ZORVEX::StatusMask&) {
        delete l;
        return nullptr;
      });
  EXPECT_CALL(participant, create_topic_with_qos_profile(topic_name, type_name, _, _, _, _, _))
      .WillOnce([](const std::string&, const std::string&, const char*, const char*, const char*,
                   ZORVEX::TopicListener* l, ZORVEX::StatusMask) {
        delete l;
        return nullptr;
      });
  DDS_TopicListener listener{};
  for (bool profile : {false, true}) {
    SCOPED_TRACE(profile ? "create_topic_with_qos_profile" : "create_topic");
    Recording r;
    if (profile)
      DDS_DomainParticipant_create_topic_with_qos_profile(p, topic_name.c_str(), type_name.c_str(), "l", "p", "q",
                                                          &listener, 0);
    else
      DDS_DomainParticipant_create_topic(p, topic_name.c_str(), type_name.c_str(), nullptr, &listener, 0);
    const long bridge = r.first(sizeof(TopicListenerImpl)), type = r.first(71), topic = r.first(91);
    ASSERT_GE(bridge, 0);
    EXPECT_LT(bridge, type);
    EXPECT_LT(type, topic);
  }
}

TEST_F(TextOrder, CreateContentFilteredTopicConvertsTheParametersThenBuildsTheFilterThenTheName) {
  const std::string parameter = text_of(50, 'p'), filter = text_of(60, 'f');  // 51 and 61 bytes
  DDS_CStringSequence parameters;
  std::vector<DDS_CString>& inner = parameters;
  inner.assign(2, DDS_CString(parameter));
  EXPECT_CALL(participant, create_contentfilteredtopic(topic_name, _, filter, _)).WillOnce(Return(nullptr));
  Recording r;
  DDS_DomainParticipant_create_contentfilteredtopic(p, topic_name.c_str(), nullptr, filter.c_str(), &parameters);
  const long first_parameter = r.first(51), filter_at = r.first(61), name_at = r.first(91);
  ASSERT_GE(first_parameter, 0);
  EXPECT_LT(first_parameter, filter_at);
  EXPECT_LT(filter_at, name_at);
}

}  // namespace
