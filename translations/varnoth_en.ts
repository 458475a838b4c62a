<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>关于 - %1</source>
        <translation>About - %1</translation>
    </message>
    <message>
        <source>&lt;h2&gt;%1 2.0&lt;/h2&gt;&lt;p&gt;%1 把文件分拣到文件夹中：按文件名中的关键字、相同的文件名、文件类型、文件大小、修改日期或图片的宽和高。&lt;/p&gt;&lt;p&gt;Varnoth sorts files into folders by a keyword in the name, a shared name, the type, the size, the date or the width and height of a picture.&lt;/p&gt;&lt;p&gt;关于本软件的更多信息：&lt;br&gt;&lt;a href=&quot;%2&quot;&gt;%2&lt;/a&gt;&lt;/p&gt;</source>
        <translation>&lt;h2&gt;%1 2.0&lt;/h2&gt;&lt;p&gt;%1 sorts files into folders by a keyword in the name, a shared name, the type, the size, the date or the width and height of a picture.&lt;/p&gt;&lt;p&gt;More about this program:&lt;br&gt;&lt;a href=&quot;%2&quot;&gt;%2&lt;/a&gt;&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>CompletionBox</name>
    <message>
        <source>复制或删除失败的文件：</source>
        <translation>Files that could not be copied or deleted:</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>打开输出文件夹</source>
        <translation>Open Output Folder</translation>
    </message>
    <message numerus="yes">
        <source>分拣已停止，有 %n 个文件未处理。</source>
        <translation>
            <numerusform>Sorting was stopped; %n file was not processed.</numerusform>
            <numerusform>Sorting was stopped; %n files were not processed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>有 %n 个文件的创建时间未被文件系统记录，已按修改时间比较。</source>
        <translation>
            <numerusform>The file system has no creation time for %n file; its modification time was compared.</numerusform>
            <numerusform>The file system has no creation time for %n files; their modification time was compared.</numerusform>
        </translation>
    </message>
    <message>
        <source>以下文件移动时，原文件名已指向另一个文件，该文件已保留；分拣出的文件是原文件仅有的一份：</source>
        <translation>When these files were moved, their names had come to lead to another file, which was kept; the sorted file is the only copy of the original:</translation>
    </message>
    <message>
        <source>失败 %1 个，已分拣 %2 个，因同名未处理 %3 个，内容相同 %4 个，已过滤 %5 个，不符合条件 %6 个。</source>
        <translation>Failed: %1, sorted: %2, left because of the same name: %3, identical: %4, filtered out: %5, not matching: %6.</translation>
    </message>
    <message>
        <source>以下文件的内容已在目标位置，未移动，仍在原处：</source>
        <translation>These files were not moved, as their contents are already at their destination; they stay where they were:</translation>
    </message>
    <message numerus="yes">
        <source>有 %n 个文件没有记录拍摄时间，已按修改时间处理：</source>
        <translation>
            <numerusform>%n file records no taken date; its modification time was used:</numerusform>
            <numerusform>%n files record no taken date; their modification time was used:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CriterionPage</name>
    <message>
        <source>请输入正确的图片宽高!</source>
        <translation>Please enter a valid width or height!</translation>
    </message>
    <message>
        <source>请输入匹配关键字!</source>
        <translation>Please enter a keyword!</translation>
    </message>
    <message>
        <source>请输入整数序号!</source>
        <translation>Please enter a whole number!</translation>
    </message>
    <message>
        <source>请输入正确的文件大小!</source>
        <translation>Please enter a valid file size!</translation>
    </message>
</context>
<context>
    <name>DatePattern</name>
    <message>
        <source>日期格式无效：%1</source>
        <translation>The date pattern cannot be used: %1</translation>
    </message>
    <message>
        <source>文件夹层级不能为空</source>
        <translation>a folder level is empty</translation>
    </message>
    <message>
        <source>文件夹名不能是 . 或 ..</source>
        <translation>a folder cannot be named . or ..</translation>
    </message>
    <message>
        <source>不能包含空字符</source>
        <translation>it holds a NUL character</translation>
    </message>
    <message>
        <source>% 后只能是 Y、m、d 或 %</source>
        <translation>% must be followed by Y, m, d or %</translation>
    </message>
    <message>
        <source>文件夹名长于 255 字节</source>
        <translation>a folder name would be longer than 255 bytes</translation>
    </message>
    <message>
        <source>不能为空</source>
        <translation>it is empty</translation>
    </message>
    <message>
        <source>不能以 / 开头</source>
        <translation>it starts with /</translation>
    </message>
    <message>
        <source>至少要有 %Y、%m 或 %d 之一</source>
        <translation>it needs at least one of %Y, %m and %d</translation>
    </message>
</context>
<context>
    <name>EvidenceText</name>
    <message>
        <source>%1 字节</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>无法读取</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;修改于 %1</source>
        <translation>    modified %1</translation>
    </message>
    <message>
        <source>已存在的文件：%1</source>
        <translation>Existing file: %1</translation>
    </message>
    <message>
        <source>新的文件：%1</source>
        <translation>New file: %1</translation>
    </message>
    <message>
        <source>两个文件大小相同，内容未比较（文件大于 256 MB）</source>
        <translation>Both files have the same size; their contents were not compared (larger than 256 MB)</translation>
    </message>
    <message>
        <source>两个文件内容相同</source>
        <translation>Both files have the same contents</translation>
    </message>
    <message>
        <source>两个文件内容不同</source>
        <translation>The files have different contents</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;来自 %1</source>
        <translation>    from %1</translation>
    </message>
</context>
<context>
    <name>FailureReason</name>
    <message>
        <source>无法读取源文件</source>
        <translation>cannot read the source file</translation>
    </message>
    <message>
        <source>没有权限</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>磁盘空间不足</source>
        <translation>not enough disk space</translation>
    </message>
    <message>
        <source>文件已不存在</source>
        <translation>the file no longer exists</translation>
    </message>
    <message>
        <source>目标文件写保护</source>
        <translation>the target file is write-protected</translation>
    </message>
    <message>
        <source>与目标是同一个文件</source>
        <translation>the file is its own target</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>目标位置已有同名文件夹</source>
        <translation>a folder of the same name is in the way</translation>
    </message>
    <message>
        <source>无法创建目标文件夹</source>
        <translation>cannot create the target folder</translation>
    </message>
    <message>
        <source>文件在复制时被修改</source>
        <translation>the file changed while it was copied</translation>
    </message>
    <message>
        <source>复制被中断</source>
        <translation>the copy was interrupted</translation>
    </message>
    <message>
        <source>其他错误</source>
        <translation>other error</translation>
    </message>
</context>
<context>
    <name>FileErrorMessage</name>
    <message>
        <source>无法写入列表文件“%1”：%2</source>
        <translation>Cannot write the list file “%1”: %2</translation>
    </message>
    <message>
        <source>无法读取列表文件“%1”：%2</source>
        <translation>Cannot read the list file “%1”: %2</translation>
    </message>
    <message>
        <source>无法保存设置文件“%1”：%2</source>
        <translation>Cannot save the settings file “%1”: %2</translation>
    </message>
    <message>
        <source>无法读取方案文件“%1”：%2</source>
        <translation>Cannot read the saved sort file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>无法写入方案文件“%1”：%2</source>
        <translation>Cannot write the saved sort file &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>FileListPanel</name>
    <message>
        <source>移除文件</source>
        <translation>Remove File</translation>
    </message>
    <message>
        <source>清空列表</source>
        <translation>Clear List</translation>
    </message>
    <message>
        <source>打开所在文件夹</source>
        <translation>Open Containing Folder</translation>
    </message>
    <message>
        <source>当前文件列表为空！</source>
        <translation>The file list is empty!</translation>
    </message>
    <message>
        <source>列表文件(*.lst) (*.lst)</source>
        <translation>List files (*.lst) (*.lst)</translation>
    </message>
    <message numerus="yes">
        <source>共 %n 个文件</source>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>有 %n 个文件的名称含有换行符，未写入列表，第一个是：
%1</source>
        <translation>
            <numerusform>The name of %n file contains a line break; it was left out of the list:
%1</numerusform>
            <numerusform>The names of %n files contain a line break; they were left out of the list. The first one:
%1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FilterReason</name>
    <message>
        <source>（无扩展名）</source>
        <translation>(no extension)</translation>
    </message>
    <message>
        <source>类型 %1 在不分拣的类型中</source>
        <translation>type %1 is among the types not to sort</translation>
    </message>
    <message>
        <source>类型 %1 不在只分拣的类型中</source>
        <translation>type %1 is not among the types to sort</translation>
    </message>
    <message>
        <source>类型 %1 不在勾选的图片类型中</source>
        <translation>type %1 is not among the ticked picture types</translation>
    </message>
</context>
<context>
    <name>FolderInFileManager</name>
    <message>
        <source>没有找到可以打开文件夹的文件管理器。文件夹：</source>
        <translation>No file manager was found to open the folder. The folder:</translation>
    </message>
</context>
<context>
    <name>FolderPickerDialog</name>
    <message>
        <source>不显示隐藏的文件夹</source>
        <translation>Do not show hidden folders</translation>
    </message>
    <message>
        <source>添加包括选定文件夹下的所有子文件夹中的文件</source>
        <translation>Also add the files in all subfolders of the chosen folder</translation>
    </message>
    <message>
        <source>添加包括选定文件夹下</source>
        <translation>Also add the files of subfolders down to</translation>
    </message>
    <message>
        <source>级子目录中所有文件</source>
        <translation>levels</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>选择要添加的目录（文件夹）</source>
        <translation>Choose a Folder to Add</translation>
    </message>
    <message>
        <source>输入文件夹的路径，按回车键前往</source>
        <translation>Type a folder&apos;s path and press Enter to go there</translation>
    </message>
    <message>
        <source>主文件夹</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>下载</source>
        <translation>Downloads</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>文档</source>
        <translation>Documents</translation>
    </message>
    <message>
        <source>桌面</source>
        <translation>Desktop</translation>
    </message>
</context>
<context>
    <name>HistoryDialog</name>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>分拣记录</source>
        <translation>Sort History</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Started</translation>
    </message>
    <message>
        <source>分拣方式</source>
        <translation>Sorted by</translation>
    </message>
    <message>
        <source>移动或复制</source>
        <translation>Copy or Move</translation>
    </message>
    <message>
        <source>文件数</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>（撤销未完成）</source>
        <translation> (undo unfinished)</translation>
    </message>
    <message>
        <source>移动</source>
        <translation>move</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>copy</translation>
    </message>
    <message>
        <source>已撤销</source>
        <translation>undone</translation>
    </message>
    <message>
        <source>未能撤销：%1</source>
        <translation>not undone: %1</translation>
    </message>
    <message>
        <source>未完成</source>
        <translation>not done</translation>
    </message>
    <message>
        <source>记录不完整</source>
        <translation>not fully recorded</translation>
    </message>
    <message>
        <source>输出文件夹</source>
        <translation>Output Folder</translation>
    </message>
    <message numerus="yes">
        <source>（剩 %n 项）</source>
        <translation>
            <numerusform> (%n item left)</numerusform>
            <numerusform> (%n items left)</numerusform>
        </translation>
    </message>
    <message>
        <source>这次分拣的记录无法读取。</source>
        <translation>The record of this sort cannot be read.</translation>
    </message>
    <message>
        <source>分拣步骤</source>
        <translation>Sort Steps</translation>
    </message>
    <message>
        <source>失败 %1，已分拣 %2，因同名未处理 %3，内容相同 %4，已过滤 %5，不符合条件 %6</source>
        <translation>%1 failed, %2 sorted, %3 left (same name), %4 identical, %5 filtered out, %6 not matching</translation>
    </message>
</context>
<context>
    <name>Illustration</name>
    <message>
        <source>西游记.txt</source>
        <translation>trip1.txt</translation>
    </message>
    <message>
        <source>东游记.doc</source>
        <translation>trip2.doc</translation>
    </message>
    <message>
        <source>游记</source>
        <translation>trip</translation>
    </message>
    <message>
        <source>报告.doc</source>
        <translation>report.doc</translation>
    </message>
    <message>
        <source>备忘.doc</source>
        <translation>memo.doc</translation>
    </message>
    <message>
        <source>数据.xls</source>
        <translation>data.xls</translation>
    </message>
    <message>
        <source>账目.xls</source>
        <translation>budget.xls</translation>
    </message>
</context>
<context>
    <name>JournalWarning</name>
    <message>
        <source>无法写入分拣记录文件夹：</source>
        <translation>Cannot write to the history folder:</translation>
    </message>
    <message>
        <source>不记录本次分拣，它将无法撤销。是否继续？</source>
        <translation>Without a record in the history, this sort cannot be undone. Continue?</translation>
    </message>
    <message>
        <source>继续分拣</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>要分拣的文件</source>
        <translation>Files to sort</translation>
    </message>
    <message>
        <source>添加文件</source>
        <translation>Add Files</translation>
    </message>
    <message>
        <source>添加目录下文件</source>
        <translation>Add Folder</translation>
    </message>
    <message>
        <source>移除文件</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>清空列表</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>导出列表</source>
        <translation>Export List</translation>
    </message>
    <message>
        <source>导入列表</source>
        <translation>Import List</translation>
    </message>
    <message>
        <source> 按文件名匹配关键字分拣 </source>
        <translation> Keywords </translation>
    </message>
    <message>
        <source>     按文件名匹配关键字分拣  </source>
        <translation>     Sort by keywords in the file name  </translation>
    </message>
    <message>
        <source>请输入关键字（多个关键字以空格分隔）：</source>
        <translation>Keywords (separate several with spaces):</translation>
    </message>
    <message>
        <source> 按文件名分拣</source>
        <translation> File name</translation>
    </message>
    <message>
        <source>     按文件名称分拣 </source>
        <translation>     Sort by file name </translation>
    </message>
    <message>
        <source>只按文件名部分进行分拣，从：</source>
        <translation>Use only characters</translation>
    </message>
    <message>
        <source>字符到：</source>
        <translation>to</translation>
    </message>
    <message>
        <source>字符</source>
        <translation>of the name</translation>
    </message>
    <message>
        <source>判断文件名时过滤以下字符（多个字符以&lt;span style=&quot;color:#e00000;&quot;&gt;＊&lt;/span&gt;（星号）分隔）：</source>
        <translation>Ignore these characters in file names (separate several with &lt;span style=&quot;color:#e00000;&quot;&gt;*&lt;/span&gt;, an asterisk):</translation>
    </message>
    <message>
        <source>只分拣与输出文件夹下已存在目录的相匹配的文件项</source>
        <translation>Only sort files whose folder already exists in the output folder</translation>
    </message>
    <message>
        <source> 按文件类型分拣</source>
        <translation> File type</translation>
    </message>
    <message>
        <source>     按文件类型分拣 </source>
        <translation>     Sort by file type </translation>
    </message>
    <message>
        <source> 按文件大小分拣</source>
        <translation> File size</translation>
    </message>
    <message>
        <source>     按文件大小分拣</source>
        <translation>     Sort by file size</translation>
    </message>
    <message>
        <source>分拣出满足条件的文件：</source>
        <translation>Sort the files that are</translation>
    </message>
    <message>
        <source>大于</source>
        <translation>larger than</translation>
    </message>
    <message>
        <source>小于</source>
        <translation>smaller than</translation>
    </message>
    <message>
        <source> 按文件日期属性分拣</source>
        <translation> File date</translation>
    </message>
    <message>
        <source>文件创建时间</source>
        <translation>Creation time</translation>
    </message>
    <message>
        <source>比较文件来到这个磁盘上的时间：复制或下载来的文件，以复制、下载的那一天为准。文件系统没有记录这个时间时，按修改时间比较。</source>
        <translation>Compares when the file came onto this disk: for a copied or downloaded file, the day it was copied or downloaded. Where the file system does not record this time, the modification time is compared.</translation>
    </message>
    <message>
        <source>文件修改时间</source>
        <translation>Modification time</translation>
    </message>
    <message>
        <source>比较文件内容最后一次被修改的时间。</source>
        <translation>Compares when the contents of the file were last changed.</translation>
    </message>
    <message>
        <source>早于</source>
        <translation>before</translation>
    </message>
    <message>
        <source>晚于</source>
        <translation>after</translation>
    </message>
    <message>
        <source> 图像文件分拣</source>
        <translation> Picture size</translation>
    </message>
    <message>
        <source>     按宽或高进行图像文件分拣</source>
        <translation>     Sort pictures by width or height</translation>
    </message>
    <message>
        <source>图片宽：</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>图片高：</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>大于等于</source>
        <translation>at least</translation>
    </message>
    <message>
        <source>小于等于</source>
        <translation>at most</translation>
    </message>
    <message>
        <source>等于</source>
        <translation>exactly</translation>
    </message>
    <message>
        <source>像素</source>
        <translation>pixels</translation>
    </message>
    <message>
        <source>分拣选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>只分拣这些类型文件：</source>
        <translation>Only sort these file types:</translation>
    </message>
    <message>
        <source>不分拣这些类型文件：</source>
        <translation>Do not sort these file types:</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>图片文件类型包括：</source>
        <translation>Picture types:</translation>
    </message>
    <message>
        <source>分拣结果</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>分拣结果输出到：</source>
        <translation>Put the sorted files in:</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>目标文件夹下存在同名文件时：</source>
        <translation>If a file of the same name exists:</translation>
    </message>
    <message>
        <source>覆盖</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>询问</source>
        <translation>Ask</translation>
    </message>
    <message>
        <source>跳过</source>
        <translation>Skip</translation>
    </message>
    <message>
        <source>自动编号文件名</source>
        <translation>Number automatically</translation>
    </message>
    <message>
        <source>分拣方式</source>
        <translation>Copy or Move</translation>
    </message>
    <message>
        <source>移动式分拣(将文件从原目录移动到结果目录)</source>
        <translation>Move the files into the output folder</translation>
    </message>
    <message>
        <source>复制式分拣(将文件复制到结果目录)</source>
        <translation>Copy the files into the output folder</translation>
    </message>
    <message>
        <source>分拣进度</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>开始处理</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>分拣方式：%1</source>
        <translation>Sort by:%1</translation>
    </message>
    <message>
        <source>请选择文件夹</source>
        <translation>Choose a Folder</translation>
    </message>
    <message>
        <source>预览</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>撤销上次分拣</source>
        <translation>Undo Last Sort</translation>
    </message>
    <message>
        <source>分拣记录</source>
        <translation>History</translation>
    </message>
    <message>
        <source>内容相同时跳过</source>
        <translation>Skip when identical</translation>
    </message>
    <message>
        <source>拍摄时间</source>
        <translation>Taken</translation>
    </message>
    <message>
        <source>比较照片或视频文件中记录的拍摄时间。没有记录拍摄时间的文件按修改时间比较。</source>
        <translation>Compares the time a photo or video records it was taken. A file that records none is compared by its modification time.</translation>
    </message>
    <message>
        <source>按日期归档</source>
        <translation>Folders by date</translation>
    </message>
    <message>
        <source>按照片或视频文件中记录的拍摄时间归档。没有记录拍摄时间的文件按修改时间归档。</source>
        <translation>Files each photo or video by the time it records it was taken. A file that records none goes by its modification time.</translation>
    </message>
    <message>
        <source>修改时间</source>
        <translation>Modified</translation>
    </message>
    <message>
        <source>按文件内容最后一次被修改的时间归档。</source>
        <translation>Files each file by the time its content was last changed.</translation>
    </message>
    <message>
        <source>创建时间</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>按文件来到这个磁盘上的时间归档。文件系统没有记录这个时间时，按修改时间归档。</source>
        <translation>Files each file by the time it came onto this disk; where the file system keeps no such time, by its modification time.</translation>
    </message>
    <message>
        <source>文件夹：</source>
        <translation>Folders:</translation>
    </message>
    <message>
        <source>选择文件夹的格式，或自己输入：%Y 代表年，%m 代表月，%d 代表日，/ 分隔各级文件夹。</source>
        <translation>Choose how the folders are named, or type a pattern: %Y stands for the year, %m for the month, %d for the day, and / separates levels of folders.</translation>
    </message>
    <message>
        <source>年/月</source>
        <translation>Year/Month</translation>
    </message>
    <message>
        <source>年/年-月</source>
        <translation>Year/Year-Month</translation>
    </message>
    <message>
        <source>年/月/日</source>
        <translation>Year/Month/Day</translation>
    </message>
    <message>
        <source>年-月-日</source>
        <translation>Year-Month-Day</translation>
    </message>
    <message>
        <source>年</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>方案</source>
        <translation>Saved sort</translation>
    </message>
    <message>
        <source>保存方案</source>
        <translation>Save sort</translation>
    </message>
    <message>
        <source>删除方案</source>
        <translation>Delete sort</translation>
    </message>
</context>
<context>
    <name>NoMatchReason</name>
    <message>
        <source>文件名中没有任何关键字</source>
        <translation>the name holds none of the keywords</translation>
    </message>
    <message>
        <source>由文件名得到的文件夹名是“..”，不在输出文件夹之内</source>
        <translation>the folder name taken from the file name is &quot;..&quot;, which is not inside the output folder</translation>
    </message>
    <message>
        <source>输出文件夹中没有文件夹 %1（只分拣到已有的文件夹）</source>
        <translation>the output folder holds no folder %1 (only existing folders are sorted into)</translation>
    </message>
    <message>
        <source>无法读取文件大小（不是普通文件，或无法打开）</source>
        <translation>the size cannot be read (not a regular file, or it cannot be opened)</translation>
    </message>
    <message>
        <source>大小 %1 字节 %2 %3 字节</source>
        <translation>size %1 bytes %2 %3 bytes</translation>
    </message>
    <message>
        <source>没有选择图片尺寸的比较方式</source>
        <translation>no comparison for the picture size is chosen</translation>
    </message>
    <message>
        <source>不是图片文件（无法读取尺寸）</source>
        <translation>not a picture file (its size cannot be read)</translation>
    </message>
    <message>
        <source>宽度 %1 %2 %3</source>
        <translation>width %1 %2 %3</translation>
    </message>
    <message>
        <source>高度 %1 %2 %3</source>
        <translation>height %1 %2 %3</translation>
    </message>
    <message>
        <source>创建时间</source>
        <translation>creation time</translation>
    </message>
    <message>
        <source>修改时间</source>
        <translation>modification time</translation>
    </message>
    <message>
        <source>%1 %2 晚于 %3</source>
        <translation>%1 %2 is later than %3</translation>
    </message>
    <message>
        <source>%1 %2 早于 %3</source>
        <translation>%1 %2 is earlier than %3</translation>
    </message>
    <message>
        <source>%1 %2 与 %3 相同</source>
        <translation>%1 %2 is the same as %3</translation>
    </message>
    <message>
        <source>无法读取创建时间，或它不在 1980 年到 2107 年之间</source>
        <translation>the creation time cannot be read, or it lies outside 1980 to 2107</translation>
    </message>
    <message>
        <source>无法读取修改时间，或它不在 1980 年到 2107 年之间</source>
        <translation>the modification time cannot be read, or it lies outside 1980 to 2107</translation>
    </message>
    <message>
        <source>拍摄时间</source>
        <translation>taken time</translation>
    </message>
    <message>
        <source>无法读取拍摄时间，或它不在 1980 年到 2107 年之间</source>
        <translation>the taken time cannot be read, or it lies outside 1980 to 2107</translation>
    </message>
    <message>
        <source>无法读取拍摄时间或修改时间</source>
        <translation>neither the taken time nor the modification time can be read</translation>
    </message>
    <message>
        <source>无法读取修改时间</source>
        <translation>the modification time cannot be read</translation>
    </message>
    <message>
        <source>无法读取创建时间</source>
        <translation>the creation time cannot be read</translation>
    </message>
</context>
<context>
    <name>OverwriteQuestion</name>
    <message>
        <source>全部是</source>
        <translation>Yes to All</translation>
    </message>
    <message>
        <source>全部否</source>
        <translation>No to All</translation>
    </message>
</context>
<context>
    <name>Placement</name>
    <message>
        <source>文件%1已存在，是否覆盖？</source>
        <translation>The file %1 already exists. Overwrite it?</translation>
    </message>
</context>
<context>
    <name>PlanAction</name>
    <message>
        <source>复制</source>
        <translation>copy</translation>
    </message>
    <message>
        <source>移动</source>
        <translation>move</translation>
    </message>
    <message>
        <source>覆盖</source>
        <translation>replace</translation>
    </message>
    <message>
        <source>自动编号</source>
        <translation>number</translation>
    </message>
    <message>
        <source>跳过</source>
        <translation>skip</translation>
    </message>
    <message>
        <source>询问</source>
        <translation>ask</translation>
    </message>
    <message>
        <source>不符合条件</source>
        <translation>not matching</translation>
    </message>
    <message>
        <source>已过滤</source>
        <translation>filtered out</translation>
    </message>
    <message>
        <source>无法处理</source>
        <translation>refused</translation>
    </message>
    <message>
        <source>相同</source>
        <translation>Identical</translation>
    </message>
</context>
<context>
    <name>PlanStep</name>
    <message>
        <source>目标位置已有同名文件</source>
        <translation>a file of the same name is at the destination</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>目标位置已有内容相同的文件</source>
        <translation>A file with the same contents is already at the destination</translation>
    </message>
    <message>
        <source>与 %1 内容相同</source>
        <translation>Same contents as %1</translation>
    </message>
    <message>
        <source>无拍摄时间，按修改时间</source>
        <translation>no taken date; by modification time</translation>
    </message>
    <message>
        <source>%1；%2</source>
        <translation>%1; %2</translation>
    </message>
</context>
<context>
    <name>PlanTableModel</name>
    <message>
        <source>源文件</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>目标文件</source>
        <translation>Destination</translation>
    </message>
    <message>
        <source>动作</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Reason</translation>
    </message>
</context>
<context>
    <name>PresetPanel</name>
    <message>
        <source>方案名称不能为空，不能含有“/”或换行，且不能超过200字节。</source>
        <translation>The name of a saved sort must not be empty, must not contain &quot;/&quot; or line breaks, and must be at most 200 bytes long.</translation>
    </message>
    <message>
        <source>方案“%1”已存在。要替换它吗？</source>
        <translation>The saved sort &quot;%1&quot; exists already. Replace it?</translation>
    </message>
    <message>
        <source>没有名为“%1”的方案。</source>
        <translation>There is no saved sort named &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>要删除方案“%1”吗？</source>
        <translation>Delete the saved sort &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>方案“%1”无法读取：文件中没有“%2”。</source>
        <translation>The saved sort &quot;%1&quot; cannot be read: its file has no &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>方案“%1”无法读取：“%2”的值“%3”无效。</source>
        <translation>The saved sort &quot;%1&quot; cannot be read: the value &quot;%3&quot; of &quot;%2&quot; is not valid.</translation>
    </message>
    <message>
        <source>无法保存方案“%1”：“%2”的值“%3”首尾有空白或含有换行。</source>
        <translation>Cannot save the saved sort &quot;%1&quot;: the value &quot;%3&quot; of &quot;%2&quot; has blanks at its ends or a line break.</translation>
    </message>
</context>
<context>
    <name>PreviewDialog</name>
    <message>
        <source>开始处理</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>分拣预览</source>
        <translation>Sort Preview</translation>
    </message>
    <message>
        <source>全部步骤</source>
        <translation>All steps</translation>
    </message>
    <message>
        <source>显示：</source>
        <translation>Show:</translation>
    </message>
    <message>
        <source>%1 %2 个</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <source>。</source>
        <translation>.</translation>
    </message>
    <message>
        <source>没有要处理的文件：这次分拣不会复制或移动任何文件。</source>
        <translation>Nothing to do: this sort will not copy or move any file. </translation>
    </message>
    <message>
        <source>输出文件夹：%1</source>
        <translation>Output folder: %1</translation>
    </message>
    <message>
        <source>无法处理 %1 个，将分拣 %2 个，因同名不处理 %3 个，内容相同 %4 个，已过滤 %5 个，不符合条件 %6 个。</source>
        <translation>Refused: %1, to sort: %2, left because of the same name: %3, identical: %4, filtered out: %5, not matching: %6.</translation>
    </message>
    <message>
        <source>正在预览：已查看 %1 / %2 个文件……</source>
        <translation>Previewing: %1 of %2 files looked at…</translation>
    </message>
</context>
<context>
    <name>RunReport</name>
    <message>
        <source>分拣工作完成！</source>
        <translation>Sorting is complete!</translation>
    </message>
    <message numerus="yes">
        <source>有 %n 个文件复制或删除失败。</source>
        <translation>
            <numerusform>%n file could not be copied or deleted.</numerusform>
            <numerusform>%n files could not be copied or deleted.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RunState</name>
    <message>
        <source>完成</source>
        <translation>complete</translation>
    </message>
    <message>
        <source>已停止</source>
        <translation>stopped</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>interrupted</translation>
    </message>
    <message>
        <source>进行中</source>
        <translation>running</translation>
    </message>
    <message>
        <source>已撤销</source>
        <translation>undone</translation>
    </message>
    <message>
        <source>部分撤销</source>
        <translation>partly undone</translation>
    </message>
</context>
<context>
    <name>SortRun</name>
    <message>
        <source>没有需要分拣的文件!</source>
        <translation>There are no files to sort!</translation>
    </message>
    <message>
        <source>如果选择了只分拣某些文件类型，则类型不应当为空！</source>
        <translation>To sort only some file types, add at least one type to the list!</translation>
    </message>
    <message>
        <source>输出文件夹的名称无法识别，请重新选择输出文件夹。</source>
        <translation>The name of the output folder cannot be used. Please choose the output folder again.</translation>
    </message>
</context>
<context>
    <name>TypeEntryDialog</name>
    <message>
        <source>输入文件扩展名如:*.txt</source>
        <translation>Enter a file extension, such as *.txt</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>添加文件类型</source>
        <translation>Add File Type</translation>
    </message>
    <message>
        <source>输入文件扩展名如:*.txt !</source>
        <translation>Enter a file extension, such as *.txt!</translation>
    </message>
</context>
<context>
    <name>UndoBoxes</name>
    <message>
        <source>是否撤销这次分拣？</source>
        <translation>Undo this sort?</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>撤销完成！</source>
        <translation>Undo is complete!</translation>
    </message>
    <message numerus="yes">
        <source>分拣记录中有 %n 行无法读取，已跳过。</source>
        <translation>
            <numerusform>%n line of the history could not be read and was skipped.</numerusform>
            <numerusform>%n lines of the history could not be read and were skipped.</numerusform>
        </translation>
    </message>
    <message>
        <source>撤销的记录未能全部写入：%1</source>
        <translation>The undo could not be fully recorded in the history: %1</translation>
    </message>
    <message>
        <source>未能撤销的文件：</source>
        <translation>Files that could not be undone:</translation>
    </message>
    <message numerus="yes">
        <source>%1，%2，%3，共 %n 个文件。</source>
        <translation>
            <numerusform>%1, %2, %3, %n file.</numerusform>
            <numerusform>%1, %2, %3, %n files.</numerusform>
        </translation>
    </message>
    <message>
        <source>移动式分拣</source>
        <translation>move</translation>
    </message>
    <message>
        <source>复制式分拣</source>
        <translation>copy</translation>
    </message>
    <message>
        <source>这次分拣的记录已不存在，无法撤销。</source>
        <translation>The history of this sort no longer exists; it cannot be undone.</translation>
    </message>
    <message>
        <source>这次分拣的记录无法读取，没有撤销任何文件。</source>
        <translation>The history of this sort cannot be read; no file was undone.</translation>
    </message>
    <message>
        <source>这次分拣的记录没有记下输出文件夹，撤销只在这个文件夹之内进行：%1</source>
        <translation>The record of this sort does not name its output folder; the undo stays within this folder: %1</translation>
    </message>
    <message>
        <source>输出文件夹：%1</source>
        <translation>Output folder: %1</translation>
    </message>
    <message numerus="yes">
        <source>这次分拣已部分撤销，将重试未能撤销的 %n 项。</source>
        <translation>
            <numerusform>This sort was partly undone; the %n item left will be tried again.</numerusform>
            <numerusform>This sort was partly undone; the %n items left will be tried again.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>将删除 %n 个复制出的文件</source>
        <translation>
            <numerusform>%n copied file will be deleted</numerusform>
            <numerusform>%n copied files will be deleted</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>将把 %n 个文件移回原处</source>
        <translation>
            <numerusform>%n file will be moved back</numerusform>
            <numerusform>%n files will be moved back</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>将从回收站恢复 %n 个被覆盖的文件</source>
        <translation>
            <numerusform>%n replaced file will come back from the trash</numerusform>
            <numerusform>%n replaced files will come back from the trash</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>将从分拣记录旁恢复 %n 个被覆盖的文件</source>
        <translation>
            <numerusform>%n replaced file will come back from beside the history</numerusform>
            <numerusform>%n replaced files will come back from beside the history</numerusform>
        </translation>
    </message>
    <message>
        <source>这次分拣没有可以再撤销的内容。</source>
        <translation>Nothing more of this sort can be undone.</translation>
    </message>
    <message>
        <source>更早的一次分拣可在“分拣记录”中撤销：%1</source>
        <translation>The sort before it can be undone from the History: %1</translation>
    </message>
    <message numerus="yes">
        <source>已撤销 %n 个文件</source>
        <translation>
            <numerusform>%n file undone</numerusform>
            <numerusform>%n files undone</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>，删除 %n 个空文件夹</source>
        <translation>
            <numerusform>, %n empty folder removed</numerusform>
            <numerusform>, %n empty folders removed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>，未能撤销 %n 项。</source>
        <translation>
            <numerusform>, %n item not undone.</numerusform>
            <numerusform>, %n items not undone.</numerusform>
        </translation>
    </message>
    <message>
        <source>它不属于当前用户。</source>
        <translation>It does not belong to you.</translation>
    </message>
    <message>
        <source>其他用户可以写入它。</source>
        <translation>Other users can write to it.</translation>
    </message>
    <message>
        <source>它不是普通的文件或文件夹。</source>
        <translation>It is not a plain file or folder.</translation>
    </message>
    <message>
        <source>分拣记录不可信，没有撤销任何文件：</source>
        <translation>The history cannot be trusted; nothing was undone:</translation>
    </message>
    <message>
        <source>这次分拣正在进行，现在不能撤销。</source>
        <translation>This sort is still going on and cannot be undone now.</translation>
    </message>
    <message>
        <source>这次分拣正在撤销，现在不能再次撤销。</source>
        <translation>This sort is being undone already.</translation>
    </message>
</context>
<context>
    <name>UndoReason</name>
    <message>
        <source>文件在分拣后已被改动</source>
        <translation>the file was changed after sorting</translation>
    </message>
    <message>
        <source>文件已不在分拣放置的位置</source>
        <translation>the file is no longer where sorting put it</translation>
    </message>
    <message>
        <source>原位置已有其他文件</source>
        <translation>another file is now at the original place</translation>
    </message>
    <message>
        <source>被覆盖文件的原名已被占用</source>
        <translation>the name of the overwritten file is taken</translation>
    </message>
    <message>
        <source>被覆盖的文件已不在保存的位置（回收站可能已清空）</source>
        <translation>the overwritten file is gone from where it was kept (the trash may have been emptied)</translation>
    </message>
    <message>
        <source>文件夹不是空的</source>
        <translation>the folder is not empty</translation>
    </message>
    <message>
        <source>分拣记录不完整，无法确认该文件</source>
        <translation>the journal is incomplete, so the file cannot be confirmed</translation>
    </message>
    <message>
        <source>文件系统拒绝了操作</source>
        <translation>the file system refused</translation>
    </message>
    <message>
        <source>记录中的位置不在这次分拣的输出文件夹内，未处理</source>
        <translation>the record names a place outside the sort&apos;s output folder; left alone</translation>
    </message>
    <message>
        <source>回收站中的记录文件不属于当前用户或不是普通文件，未删除</source>
        <translation>the trash record is not a plain file of yours; not removed</translation>
    </message>
</context>
<context>
    <name>UnreadableFoldersBox</name>
    <message numerus="yes">
        <source>……另有 %n 个文件夹</source>
        <translation>
            <numerusform>… and %n more folder</numerusform>
            <numerusform>… and %n more folders</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>有 %n 个文件夹无法读取，其中的文件未添加到列表中：
%1</source>
        <translation>
            <numerusform>%n folder could not be read; its files were not added to the list:
%1</numerusform>
            <numerusform>%n folders could not be read; their files were not added to the list:
%1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WindowScanHost</name>
    <message numerus="yes">
        <source>添加了 %n 个文件</source>
        <translation>
            <numerusform>Added %n file</numerusform>
            <numerusform>Added %n files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>，%n 个已在列表中</source>
        <translation>
            <numerusform>, %n already listed</numerusform>
            <numerusform>, %n already listed</numerusform>
        </translation>
    </message>
</context>
</TS>
