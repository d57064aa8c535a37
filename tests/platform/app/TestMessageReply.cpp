#include <gtest/gtest.h>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>

#include "Watchdog.h"

namespace {

// Answers 'askq' with the question's number doubled, once, and 'twic' twice.
class Answerer : public BHandler {
public:
	Answerer() : BHandler("answerer") {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'askq' || message->what == 'twic') {
			fRemote = message->IsSourceRemote();
			fWaiting = message->IsSourceWaiting();
			BMessage reply('answ');
			reply.AddInt32("value", message->GetInt32("value", 0) * 2);
			fFirst = message->SendReply(&reply);
			if (message->what == 'twic')
				fSecond = message->SendReply('late');
			return;
		}
		BHandler::MessageReceived(message);
	}

	bool fRemote = true;
	bool fWaiting = false;
	status_t fFirst = B_ERROR;
	status_t fSecond = B_OK;
};

} // namespace

TEST(MessageReply, AHandlerAnswersAWaitingSenderOnce)
{
	Watchdog watchdog(20);
	BLooper* looper = new BLooper("answering");
	Answerer* answerer = new Answerer;
	looper->AddHandler(answerer);
	looper->Run();

	BMessenger messenger(answerer);
	BMessage question('askq');
	question.AddInt32("value", 21);
	BMessage reply;
	ASSERT_EQ(B_OK, messenger.SendMessage(&question, &reply));
	EXPECT_EQ((uint32)'answ', reply.what);
	EXPECT_EQ(42, reply.GetInt32("value", 0));
	EXPECT_TRUE(reply.IsReply());

	BMessage twice('twic');
	ASSERT_EQ(B_OK, messenger.SendMessage(&twice, &reply));
	EXPECT_EQ((uint32)'answ', reply.what);

	ASSERT_TRUE(looper->Lock());
	EXPECT_FALSE(answerer->fRemote);
	EXPECT_TRUE(answerer->fWaiting);
	EXPECT_EQ(B_OK, answerer->fFirst);
	EXPECT_NE(B_OK, answerer->fSecond);
	looper->RemoveHandler(answerer);
	looper->Quit();
	delete answerer;
}
