// Entity lifetimes: parents with children stay, delete_contained_entities
// takes everything, topics found n times are deleted n times; type
// registration and topic lookup.

#include "engine_fixture.h"

namespace {

using namespace ZORVEX;

using Deletion = Engine;

TEST_F(Deletion, AnEntityWithChildrenIsNotDeleted) {
    DataWriter* w = writer();
    DataReader* r = reader();
    ReadCondition* c = r->create_readcondition(ANY_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE);
    DomainParticipant* p = participant;
    Publisher* pub = publisher;
    Subscriber* sub = subscriber;
    Topic* t = topic;
    DataReader* rr = r;
    EXPECT_EQ(factory()->delete_participant(p), RETCODE_PRECONDITION_NOT_MET);
    EXPECT_EQ(p, participant);
    EXPECT_EQ(participant->delete_publisher(pub), RETCODE_PRECONDITION_NOT_MET);
    EXPECT_EQ(participant->delete_subscriber(sub), RETCODE_PRECONDITION_NOT_MET);
    EXPECT_EQ(participant->delete_topic(t), RETCODE_PRECONDITION_NOT_MET);
    EXPECT_EQ(subscriber->delete_datareader(rr), RETCODE_PRECONDITION_NOT_MET);
    ASSERT_EQ(r->delete_contained_entities(), RETCODE_OK);  // the read condition
    EXPECT_EQ(r->delete_readcondition(c), RETCODE_PRECONDITION_NOT_MET);
    EXPECT_EQ(subscriber->delete_datareader(rr), RETCODE_OK);
    EXPECT_EQ(rr, nullptr);
    DataWriter* ww = w;
    EXPECT_EQ(participant->create_publisher(PUBLISHER_QOS_DEFAULT, nullptr, 0)->delete_datawriter(ww),
              RETCODE_PRECONDITION_NOT_MET);  // not its writer
    EXPECT_EQ(publisher->delete_datawriter(ww), RETCODE_OK);
    EXPECT_EQ(participant->delete_topic(t), RETCODE_OK);
}

TEST_F(Deletion, DeleteContainedEntitiesTakesEveryChild) {
    DataWriter* w = writer();
    DataReader* r = reader();
    r->create_readcondition(ANY_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE);
    participant->create_contentfilteredtopic("Filtered", topic, "id > %0", {"3"});
    ASSERT_EQ(write(w, 1, 1), RETCODE_OK);
    ASSERT_EQ(participant->delete_contained_entities(), RETCODE_OK);
    EXPECT_EQ(participant->lookup_topicdescription("Readings"), nullptr);
    EXPECT_EQ(participant->lookup_topicdescription("Filtered"), nullptr);
    EXPECT_FALSE(participant->contains_entity(HANDLE_NIL));
    DomainParticipant* p = participant;
    EXPECT_EQ(factory()->delete_participant(p), RETCODE_OK);
    participants.clear();
}

TEST_F(Deletion, ATopicFoundTwiceIsDeletedTwice) {
    Topic* found = participant->find_topic("Readings", DURATION_ZERO);
    EXPECT_EQ(found, topic);
    EXPECT_EQ(participant->delete_topic(found), RETCODE_OK);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(participant->lookup_topicdescription("Readings"), static_cast<TopicDescription*>(topic));
    Topic* t = topic;
    EXPECT_EQ(participant->delete_topic(t), RETCODE_OK);
    EXPECT_EQ(participant->lookup_topicdescription("Readings"), nullptr);
}

TEST_F(Deletion, TypesAndTopicsAreCheckedWhenMade) {
    const TypeDescriptor other_layout{sizeof(Sample), 4, 4};
    EXPECT_EQ(participant->register_type("Sample", &other_layout), RETCODE_PRECONDITION_NOT_MET);
    const TypeDescriptor key_outside{8, 6, 4};
    EXPECT_EQ(participant->register_type("Broken", &key_outside), RETCODE_BAD_PARAMETER);
    EXPECT_EQ(participant->register_type("Broken", nullptr), RETCODE_BAD_PARAMETER);
    EXPECT_EQ(participant->create_topic("Readings", "Sample", TOPIC_QOS_DEFAULT, nullptr, 0), nullptr);
    EXPECT_EQ(participant->create_topic("Fresh", "Unregistered", TOPIC_QOS_DEFAULT, nullptr, 0), nullptr);
    ContentFilteredTopic* f = participant->create_contentfilteredtopic("Filtered", topic, "id > %0", {"3"});
    ASSERT_NE(f, nullptr);
    std::vector<std::string> parameters;
    ASSERT_EQ(f->get_expression_parameters(parameters), RETCODE_OK);
    EXPECT_EQ(parameters, std::vector<std::string>{"3"});
    EXPECT_EQ(f->get_related_topic(), topic);
    EXPECT_STREQ(f->get_filter_expression(), "id > %0");
    EXPECT_EQ(subscriber->create_datareader(f, DATAREADER_QOS_DEFAULT, nullptr, 0), nullptr);  // no filtering here
    Topic* t = topic;
    EXPECT_EQ(participant->delete_topic(t), RETCODE_PRECONDITION_NOT_MET);
    EXPECT_EQ(participant->delete_contentfilteredtopic(f), RETCODE_OK);
}

}  // namespace
