<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>app::TAlbumCopyJob</name>
    <message>
        <source>正在复制照片...</source>
        <translation>Copying the photos...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>复制照片</source>
        <translation>Copy photos</translation>
    </message>
    <message>
        <source>正在取消...</source>
        <translation>Cancelling...</translation>
    </message>
    <message>
        <source>正在复制照片... 已复制 %1 张</source>
        <translation>Copying the photos... copied so far: %1</translation>
    </message>
</context>
<context>
    <name>app::TExportVideoDialog</name>
    <message>
        <source>导出视频</source>
        <translation>Export video</translation>
    </message>
    <message>
        <source>照片文件夹</source>
        <translation>Photo folder</translation>
    </message>
    <message>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>输出文件</source>
        <translation>Output file</translation>
    </message>
    <message>
        <source>画面大小</source>
        <translation>Frame size</translation>
    </message>
    <message>
        <source>每秒帧数</source>
        <translation>Frames per second</translation>
    </message>
    <message>
        <source>每张停留(秒)</source>
        <translation>Seconds per photo</translation>
    </message>
    <message>
        <source>切换时间(ms)</source>
        <translation>Transition (ms)</translation>
    </message>
    <message>
        <source>按特效顺序</source>
        <translation>In catalogue order</translation>
    </message>
    <message>
        <source>随机特效</source>
        <translation>Random effect</translation>
    </message>
    <message>
        <source>当前特效 #%1</source>
        <translation>Current effect #%1</translation>
    </message>
    <message>
        <source>特效</source>
        <translation>Effects</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>视频 (*.mp4 *.mkv *.webm)</source>
        <translation>Videos (*.mp4 *.mkv *.webm)</translation>
    </message>
</context>
<context>
    <name>app::TExportVideoJob</name>
    <message>
        <source>正在导出视频...</source>
        <translation>Exporting the video...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>导出视频</source>
        <translation>Export video</translation>
    </message>
    <message>
        <source>正在取消...</source>
        <translation>Cancelling...</translation>
    </message>
    <message>
        <source>视频已导出：%1
%2 张照片，%3 秒</source>
        <translation>Video exported: %1
Photos: %2, length: %3 s</translation>
    </message>
    <message>
        <source>导出视频失败：%1</source>
        <translation>The video could not be exported: %1</translation>
    </message>
    <message>
        <source>正在导出视频... %1 / %2 帧，还需 %3 秒</source>
        <translation>Exporting the video... frame %1 of %2, %3 s left</translation>
    </message>
</context>
<context>
    <name>app::TPhotosform</name>
    <message>
        <source>温馨提示</source>
        <translation>A friendly reminder</translation>
    </message>
    <message>
        <source>是否退出相册</source>
        <translation>Leave the album?</translation>
    </message>
    <message>
        <source>选择照片所在的文件夹:</source>
        <translation>Choose the folder where the photos are:</translation>
    </message>
    <message>
        <source>选择宝宝所在的照片目录:</source>
        <translation>Choose the folder of the baby&apos;s photos:</translation>
    </message>
    <message>
        <source>复制失败</source>
        <translation>Copy failed</translation>
    </message>
    <message>
        <source>删除完毕</source>
        <translation>Deletion finished</translation>
    </message>
    <message>
        <source>已经没有演示照片了，请复制宝宝照片到相册把观看相册吧</source>
        <translation>There are no demonstration photos any more. Copy the baby&apos;s photos into the album to watch it.</translation>
    </message>
    <message>
        <source>发成错误</source>
        <translation>An error occurred</translation>
    </message>
    <message>
        <source>确    定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>右键设置播放器，双击照片全屏播放，ESC返回,</source>
        <translation>Right-click to set up the player, double-click a photo for full screen, Esc to return</translation>
    </message>
    <message>
        <source>播放设置</source>
        <translation>Playback settings</translation>
    </message>
    <message>
        <source>全屏/返回</source>
        <translation>Full screen / back</translation>
    </message>
    <message>
        <source>照片特效设置</source>
        <translation>Photo effects</translation>
    </message>
    <message>
        <source>展示类型</source>
        <translation>Effect</translation>
    </message>
    <message>
        <source>展示方式设置</source>
        <translation>Order of the effects</translation>
    </message>
    <message>
        <source>按特效顺序</source>
        <translation>In catalogue order</translation>
    </message>
    <message>
        <source>随机特效</source>
        <translation>Random effect</translation>
    </message>
    <message>
        <source>不需要特效</source>
        <translation>Keep the effect</translation>
    </message>
    <message>
        <source>自动播放</source>
        <translation>Automatic play</translation>
    </message>
    <message>
        <source>特效生成时间 (%):</source>
        <translation>Step per frame (%):</translation>
    </message>
    <message>
        <source>切换时间(ms):</source>
        <translation>Delay (ms):</translation>
    </message>
    <message>
        <source>保持定时</source>
        <translation>Exact timing</translation>
    </message>
    <message>
        <source>运用多线程处理图片</source>
        <translation>Draw on a timer thread</translation>
    </message>
    <message>
        <source>停止播放</source>
        <translation>Stop playing (by hand)</translation>
    </message>
    <message>
        <source>布局设置</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>图片展示方式</source>
        <translation>Photo placement</translation>
    </message>
    <message>
        <source>中心</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>铺满</source>
        <translation>Stretch</translation>
    </message>
    <message>
        <source>保持比例</source>
        <translation>Keep proportions</translation>
    </message>
    <message>
        <source>背景设置</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>背景展示方式</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>设置播放背景的图片</source>
        <translation>Background picture...</translation>
    </message>
    <message>
        <source>镶边</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>线条粗细</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>线条颜色选择</source>
        <translation>Choose the frame colour</translation>
    </message>
    <message>
        <source>设置照片的目录</source>
        <translation>Photo folder</translation>
    </message>
    <message>
        <source>方式一：拷贝文件夹下宝宝照片进入相册播放</source>
        <translation>Way one: copy photos into the album</translation>
    </message>
    <message>
        <source>方式二：直接选择您电脑上的照片进行播放</source>
        <translation>Way two: play a folder at once</translation>
    </message>
    <message>
        <source>设置几秒播放下一张图片</source>
        <translation>Seconds before the next photo</translation>
    </message>
    <message>
        <source>[ 3.0 秒 ]</source>
        <translation>[ 3.0 s ]</translation>
    </message>
    <message>
        <source>删除演示的照片</source>
        <translation>Delete demos</translation>
    </message>
    <message>
        <source>
找不到包含JPG格式的文件.</source>
        <translation>
No JPG pictures were found there.</translation>
    </message>
    <message>
        <source>%1
不是可以播放的照片.</source>
        <translation>%1
is not a photo that can be played.</translation>
    </message>
    <message>
        <source>磁盘已满</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>没有写入相册的权限</source>
        <translation>no permission to write into the album</translation>
    </message>
    <message>
        <source>源文件无法读取</source>
        <translation>a source file cannot be read</translation>
    </message>
    <message>
        <source>新复制 %1 张照片，%2 张已在相册中</source>
        <translation>Photos newly copied: %1, already in the album: %2</translation>
    </message>
    <message>
        <source>复制成功请重新打开相册即可播放
</source>
        <translation>Copied. Open the album again to play the new photos.
</translation>
    </message>
    <message>
        <source>复制失败
</source>
        <translation>Copy failed
</translation>
    </message>
    <message>
        <source>，复制已取消</source>
        <translation>; the copy was cancelled</translation>
    </message>
    <message>
        <source>，%1 张未能复制（%2）</source>
        <translation>; not copied: %1 (%2)</translation>
    </message>
    <message>
        <source>删除完毕
保留了 %1 张已被修改或替换的同名照片</source>
        <translation>Deletion finished
Kept photos of the same names that were changed or replaced: %1</translation>
    </message>
    <message>
        <source>导出视频...</source>
        <translation>Export video...</translation>
    </message>
    <message>
        <source>导出视频</source>
        <translation>Export video</translation>
    </message>
    <message>
        <source>已暂停</source>
        <translation>paused</translation>
    </message>
    <message>
        <source>另有 %1 个错误</source>
        <translation>and %1 more errors</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
</context>
</TS>
