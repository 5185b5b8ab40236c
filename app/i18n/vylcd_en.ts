<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ko_KR">
<context>
    <name>CDlgGlobalStatus</name>
    <message>
        <source>영역 X:</source>
        <translation>Region X:</translation>
    </message>
    <message>
        <source>크기</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>통신상태 새로고침</source>
        <translation>Refresh link state</translation>
    </message>
    <message>
        <source>전송 %1/%2</source>
        <translation>Sending %1/%2</translation>
    </message>
    <message>
        <source>LCD로부터 응답 없음</source>
        <translation>No answer from the LCD</translation>
    </message>
    <message>
        <source>※ 펌웨어 버전이 맞지 않으면 LCD에 출력되지 않습니다.</source>
        <translation>※ The LCD shows nothing when its firmware version does not match.</translation>
    </message>
    <message>
        <source>(전체 대비 %1% 절약)</source>
        <translation>(%1% less than a full update)</translation>
    </message>
    <message>
        <source>%1 포트를 아직 열 수 없습니다. 케이블과 통신 설정을 확인하세요.</source>
        <translation>Port %1 still cannot be opened. Check the cable and the serial settings.</translation>
    </message>
    <message>
        <source>%1 포트에 다시 연결했습니다.</source>
        <translation>Reconnected to port %1.</translation>
    </message>
    <message>
        <source>%1 포트와의 연결이 끊어졌습니다. 2초마다 다시 연결을 시도합니다. 바로 시도하려면 &apos;통신상태 새로고침&apos; 단추나 F5 키를 누르세요.</source>
        <translation>The connection to port %1 was lost. Trying to reconnect every 2 seconds; to try now, press &apos;Refresh link state&apos; or F5.</translation>
    </message>
</context>
<context>
    <name>CDlgGridSettings</name>
    <message>
        <source>그리드 설정</source>
        <translation>Grid Settings</translation>
    </message>
    <message>
        <source>그리드 사용함</source>
        <translation>Use grid</translation>
    </message>
    <message>
        <source>간격</source>
        <translation>Spacing</translation>
    </message>
</context>
<context>
    <name>CDlgLcdOpt</name>
    <message>
        <source>시스템 설정</source>
        <translation>System Settings</translation>
    </message>
    <message>
        <source>백라이트</source>
        <translation>Backlight</translation>
    </message>
    <message>
        <source>그래픽 레이어 지정</source>
        <translation>Graphic layer</translation>
    </message>
    <message>
        <source>오버레이 모드</source>
        <translation>Overlay mode</translation>
    </message>
    <message>
        <source>Layer 상태 설정</source>
        <translation>Layer states</translation>
    </message>
    <message>
        <source>적용</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>닫기</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>화면 밝기</source>
        <translation>Brightness</translation>
    </message>
</context>
<context>
    <name>CDlgLocalBmp</name>
    <message>
        <source>지원되는 이미지 형식(%1);;모든 파일(*.*)</source>
        <translation>Supported pictures (%1);;All files (*.*)</translation>
    </message>
    <message>
        <source>불러오기..</source>
        <translation>Load..</translation>
    </message>
    <message>
        <source>실제 크기로 변경</source>
        <translation>Actual size</translation>
    </message>
    <message>
        <source>이미지 파일을 선택하세요.</source>
        <translation>Choose a picture file.</translation>
    </message>
    <message>
        <source>파일을 로드할 수 없습니다.</source>
        <translation>The file cannot be loaded.</translation>
    </message>
    <message>
        <source>지원되는 이미지 형식이 아닙니다.</source>
        <translation>This is not a supported picture format.</translation>
    </message>
    <message>
        <source>플로이드-스타인버그</source>
        <translation>Floyd-Steinberg</translation>
    </message>
    <message>
        <source>앳킨슨</source>
        <translation>Atkinson</translation>
    </message>
    <message>
        <source>반전</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>흑백 변환</source>
        <translation>Black and white</translation>
    </message>
    <message>
        <source>그림이 너무 큽니다: %1 x %2 화소. 불러올 수 있는 그림은 %3 화소까지입니다.</source>
        <translation>The picture is too large: %1 x %2 pixels. Pictures of at most %3 pixels can be loaded.</translation>
    </message>
    <message>
        <source>디더링 없음</source>
        <translation>No dithering</translation>
    </message>
    <message>
        <source>순서 디더링 4x4</source>
        <translation>Ordered 4x4</translation>
    </message>
    <message>
        <source>기준 밝기</source>
        <translation>Threshold</translation>
    </message>
</context>
<context>
    <name>CDlgLocalShape</name>
    <message>
        <source>직각으로</source>
        <translation>Make right-angled</translation>
    </message>
    <message>
        <source>선 굵기</source>
        <translation>Line width</translation>
    </message>
    <message>
        <source>점선 간격</source>
        <translation>Dot spacing</translation>
    </message>
    <message>
        <source>색</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>※ 점선으로 된 원은 지원하지 않습니다.</source>
        <translation>※ Dotted ellipses are not supported.</translation>
    </message>
    <message>
        <source>간격이 선 굵기 + 1 이하이면 실선으로 그려집니다.</source>
        <translation>A spacing of the line width + 1 or less draws a solid line.</translation>
    </message>
    <message>
        <source>(실선)</source>
        <translation>(solid)</translation>
    </message>
</context>
<context>
    <name>CDlgLocalText</name>
    <message>
        <source>굵게</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>반전</source>
        <translation>Inverse</translation>
    </message>
    <message>
        <source>밑줄</source>
        <translation>Underline</translation>
    </message>
    <message>
        <source>한글 폰트</source>
        <translation>Hangul font</translation>
    </message>
    <message>
        <source>영문 폰트</source>
        <translation>Latin font</translation>
    </message>
    <message>
        <source>LCD 코드 페이지(CP949)에 없는 문자는 &apos;?&apos;로 저장됩니다.</source>
        <translation>Characters missing from the LCD&apos;s code page (CP949) are stored as &apos;?&apos;.</translation>
    </message>
    <message>
        <source>%1자가 상자 밖에 있어 LCD에 보이지 않습니다.</source>
        <translation>Characters beyond the box, not shown on the LCD: %1</translation>
    </message>
</context>
<context>
    <name>CDlgPreTemplateSave</name>
    <message>
        <source>템플릿으로 저장</source>
        <translation>Save as Template</translation>
    </message>
    <message>
        <source>저장</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>취소</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>템플릿 이름을 입력하세요.</source>
        <translation>Enter a name for the template.</translation>
    </message>
</context>
<context>
    <name>CDlgSourceGenerator</name>
    <message>
        <source>프로그램 소스 생성</source>
        <translation>Generate Program Source</translation>
    </message>
    <message>
        <source>출력 형식</source>
        <translation>Output format</translation>
    </message>
    <message>
        <source>생성</source>
        <translation>Generate</translation>
    </message>
    <message>
        <source>클립보드에 복사</source>
        <translation>Copy to clipboard</translation>
    </message>
    <message>
        <source>초기화</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>닫기</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>전체 소스 코드</source>
        <translation>Whole source code</translation>
    </message>
    <message>
        <source>클립보드에 복사할 수 없습니다.</source>
        <translation>Cannot copy to the clipboard.</translation>
    </message>
    <message>
        <source>파일로 저장...</source>
        <translation>Save to file...</translation>
    </message>
    <message>
        <source>%1 파일에 소스를 저장할 수 없습니다.</source>
        <translation>The source cannot be saved to %1.</translation>
    </message>
    <message>
        <source>%1 파일에 저장했습니다.</source>
        <translation>Saved to %1.</translation>
    </message>
</context>
<context>
    <name>CDlgSysOpt</name>
    <message>
        <source>통신 설정</source>
        <translation>Serial Settings</translation>
    </message>
    <message>
        <source>가상 LCD</source>
        <translation>Virtual LCD</translation>
    </message>
    <message>
        <source>적용</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>취소</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>포트 번호</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>보레이트를 선택하세요.</source>
        <translation>Choose a baud rate.</translation>
    </message>
    <message>
        <source>자동 감지</source>
        <translation>Auto-detect</translation>
    </message>
    <message>
        <source>감지 중...</source>
        <translation>Detecting...</translation>
    </message>
    <message>
        <source>포트를 열 수 없습니다: %1</source>
        <translation>Cannot open the port: %1</translation>
    </message>
    <message>
        <source>가상 LCD는 모든 보레이트에서 응답합니다.</source>
        <translation>The virtual LCD answers at any baud rate.</translation>
    </message>
    <message>
        <source>어떤 보레이트에서도 LCD가 응답하지 않았습니다.</source>
        <translation>The LCD did not answer at any baud rate.</translation>
    </message>
    <message>
        <source>LCD가 %1 bps에서 응답했습니다.</source>
        <translation>The LCD answered at %1 bps.</translation>
    </message>
</context>
<context>
    <name>CDlgTemplateList</name>
    <message>
        <source>템플릿 불러오기</source>
        <translation>Load Template</translation>
    </message>
    <message>
        <source>선택</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>취소</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>미리보기</source>
        <translation>Preview</translation>
    </message>
</context>
<context>
    <name>CGuideWindow</name>
    <message>
        <source>사용설명서 파일이 없습니다: %1</source>
        <translation>The user&apos;s guide file does not exist: %1</translation>
    </message>
    <message>
        <source>사용설명서 파일이 너무 큽니다: %1</source>
        <translation>The user&apos;s guide file is too large: %1</translation>
    </message>
    <message>
        <source>사용설명서 파일을 읽을 수 없습니다: %1 (%2)</source>
        <translation>The user&apos;s guide file cannot be read: %1 (%2)</translation>
    </message>
    <message>
        <source>VYLCD 스튜디오 사용설명서</source>
        <translation>VYLCD Studio User&apos;s Guide</translation>
    </message>
    <message>
        <source>찾을 낱말 (Ctrl+F)</source>
        <translation>Word to find (Ctrl+F)</translation>
    </message>
    <message>
        <source>이전</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>다음</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>기본 프로그램으로 열기</source>
        <translation>Open in default viewer</translation>
    </message>
    <message>
        <source>찾기:</source>
        <translation>Find:</translation>
    </message>
    <message>
        <source>찾을 수 없습니다</source>
        <translation>Not found</translation>
    </message>
    <message>
        <source>끝에 이르러 처음부터 찾았습니다</source>
        <translation>Reached the end, continued from the top</translation>
    </message>
    <message>
        <source>처음에 이르러 끝부터 찾았습니다</source>
        <translation>Reached the top, continued from the end</translation>
    </message>
    <message>
        <source>기본 프로그램으로 열지 못했습니다</source>
        <translation>The default viewer did not open it</translation>
    </message>
</context>
<context>
    <name>CLcdScreenDock</name>
    <message>
        <source>LCD 화면</source>
        <translation>LCD Screen</translation>
    </message>
    <message>
        <source>가상 LCD</source>
        <translation>Virtual LCD</translation>
    </message>
    <message>
        <source>이 창에는 가상 LCD의 화면만 보입니다. 사용 중인 포트: %1</source>
        <translation>Only the virtual LCD&apos;s screen is shown here. Port in use: %1</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>VYLCD 스튜디오 %1</source>
        <translation>VYLCD Studio %1</translation>
    </message>
    <message>
        <source>새로 만들기(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>열기(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>저장(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>다른 이름으로 저장(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>기본 템플릿 불러오기(&amp;L)</source>
        <translation>&amp;Load Default Template</translation>
    </message>
    <message>
        <source>선택된 영역을 템플릿으로 저장(&amp;T)..</source>
        <translation>Save Selection as &amp;Template..</translation>
    </message>
    <message>
        <source>종료(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>되돌리기	Ctrl+Z</source>
        <translation>Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>재실행	Ctrl+Shift+Z</source>
        <translation>Redo	Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>잘라내기	Ctrl+X</source>
        <translation>Cut	Ctrl+X</translation>
    </message>
    <message>
        <source>복사	Ctrl+C</source>
        <translation>Copy	Ctrl+C</translation>
    </message>
    <message>
        <source>붙여넣기	Ctrl+V</source>
        <translation>Paste	Ctrl+V</translation>
    </message>
    <message>
        <source>삭제	Del</source>
        <translation>Delete	Del</translation>
    </message>
    <message>
        <source>주변 객체 선택	Tab</source>
        <translation>Select Nearby Object	Tab</translation>
    </message>
    <message>
        <source>모두 선택	Ctrl+A</source>
        <translation>Select All	Ctrl+A</translation>
    </message>
    <message>
        <source>재전송</source>
        <translation>Send Again</translation>
    </message>
    <message>
        <source>시스템 설정(&amp;S)</source>
        <translation>&amp;System Settings</translation>
    </message>
    <message>
        <source>통신 설정(&amp;C)</source>
        <translation>S&amp;erial Settings</translation>
    </message>
    <message>
        <source>그리드 사용함</source>
        <translation>Use Grid</translation>
    </message>
    <message>
        <source>그리드 설정(&amp;G)</source>
        <translation>&amp;Grid Settings</translation>
    </message>
    <message>
        <source>프로그램 소스 생성(&amp;P)</source>
        <translation>Generate &amp;Program Source</translation>
    </message>
    <message>
        <source>보기 배율 100%</source>
        <translation>Zoom 100%</translation>
    </message>
    <message>
        <source>보기 배율 200%</source>
        <translation>Zoom 200%</translation>
    </message>
    <message>
        <source>텍스트 사용설명서(&amp;T) </source>
        <translation>&amp;Text User&apos;s Guide </translation>
    </message>
    <message>
        <source>VYLCD 스튜디오 정보</source>
        <translation>About VYLCD Studio</translation>
    </message>
    <message>
        <source>그래픽 데이터를 가지고 프로그램 소스를 생성합니다. </source>
        <translation>Generates program source from the graphic data. </translation>
    </message>
    <message>
        <source>프로그램 소스 생성</source>
        <translation>Generate program source</translation>
    </message>
    <message>
        <source>근거리의 객체를 선택합니다</source>
        <translation>Selects the nearest object</translation>
    </message>
    <message>
        <source>근거리 객체 선택</source>
        <translation>Select nearest object</translation>
    </message>
    <message>
        <source>파일(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>최근 파일</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>편집(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>도구(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>보기(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>LCD 화면</source>
        <translation>LCD Screen</translation>
    </message>
    <message>
        <source>도움말(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>%1
320 x 240 그래픽 LCD 화면 디자이너</source>
        <translation>%1
Screen designer for 320 x 240 graphic LCDs</translation>
    </message>
    <message>
        <source>시스템 언어 따름</source>
        <translation>Use System Language</translation>
    </message>
    <message>
        <source>언어 설정은 다음에 시작할 때 적용됩니다.</source>
        <translation>The language takes effect the next time the program starts.</translation>
    </message>
    <message>
        <source>기본 도구 모음</source>
        <translation>Main Toolbar</translation>
    </message>
    <message>
        <source>사용설명서는 여기에 있습니다: %1</source>
        <translation>The user&apos;s guide is here: %1</translation>
    </message>
    <message>
        <source>PNG 파일을 저장할 수 없습니다: %1</source>
        <translation>The PNG file cannot be saved: %1</translation>
    </message>
    <message>
        <source>LCD 화면을 저장했습니다: %1</source>
        <translation>LCD screen saved: %1</translation>
    </message>
    <message>
        <source>복구한 작업을 먼저 열었습니다. %1 파일은 열지 않았습니다.</source>
        <translation>The recovered work was opened first. %1 was not opened.</translation>
    </message>
    <message>
        <source>변경된 부분만 전송</source>
        <translation>Send Only Changes</translation>
    </message>
    <message>
        <source>제목 없음</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>확대</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>축소</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>창에 맞춤</source>
        <translation>Fit to Window</translation>
    </message>
    <message>
        <source>한 점을 한 화소로</source>
        <translation>One Dot per Pixel</translation>
    </message>
    <message>
        <source>LCD 미리보기</source>
        <translation>LCD Preview</translation>
    </message>
    <message>
        <source>LCD 화면을 PNG로 저장(&amp;P)...</source>
        <translation>Save LCD Screen as &amp;PNG...</translation>
    </message>
    <message>
        <source>캔버스에 LCD가 그리는 점을 그대로 보여 줍니다.</source>
        <translation>Shows on the canvas the dots exactly as the LCD draws them.</translation>
    </message>
    <message>
        <source>객체 목록</source>
        <translation>Objects</translation>
    </message>
</context>
<context>
    <name>CObjectListDock</name>
    <message>
        <source>객체 목록</source>
        <translation>Objects</translation>
    </message>
</context>
<context>
    <name>CObjectListModel</name>
    <message>
        <source>빈 박스</source>
        <translation>Box</translation>
    </message>
    <message>
        <source>채워진 박스</source>
        <translation>Filled box</translation>
    </message>
    <message>
        <source>빈 원</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>채워진 원</source>
        <translation>Filled ellipse</translation>
    </message>
    <message>
        <source>직선</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>문자</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>그림</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>호</source>
        <translation>Arc</translation>
    </message>
    <message>
        <source>[LCD 밖]</source>
        <translation>[off the LCD]</translation>
    </message>
    <message>
        <source>알 수 없는 객체 (%1)</source>
        <translation>Unknown object (%1)</translation>
    </message>
    <message>
        <source>LCD 화면 밖에 있어 LCD에 표시되지 않는 객체입니다.</source>
        <translation>This object lies outside the LCD screen, so the LCD does not show it.</translation>
    </message>
</context>
<context>
    <name>CVYSDoc</name>
    <message>
        <source>에러가 발생했습니다.(-37)</source>
        <translation>An error occurred. (-37)</translation>
    </message>
</context>
<context>
    <name>CVyeEditor</name>
    <message>
        <source>선택 도구</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>빈 박스</source>
        <translation>Box</translation>
    </message>
    <message>
        <source>채워진 박스</source>
        <translation>Filled box</translation>
    </message>
    <message>
        <source>빈 원</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>채워진 원</source>
        <translation>Filled ellipse</translation>
    </message>
    <message>
        <source>직선</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>문자</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>그림 파일</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>위 정렬</source>
        <translation>Align Top</translation>
    </message>
    <message>
        <source>아래 정렬</source>
        <translation>Align Bottom</translation>
    </message>
    <message>
        <source>왼쪽 정렬</source>
        <translation>Align Left</translation>
    </message>
    <message>
        <source>오른쪽 정렬</source>
        <translation>Align Right</translation>
    </message>
    <message>
        <source>넓이 같게</source>
        <translation>Same Width</translation>
    </message>
    <message>
        <source>높이 같게</source>
        <translation>Same Height</translation>
    </message>
    <message>
        <source>크기 같게</source>
        <translation>Same Size</translation>
    </message>
    <message>
        <source>상하 간격 정렬</source>
        <translation>Even Vertical Gaps</translation>
    </message>
    <message>
        <source>좌우 간격 정렬</source>
        <translation>Even Horizontal Gaps</translation>
    </message>
    <message>
        <source>화면 수평 중앙에 맞춤</source>
        <translation>Centre Horizontally</translation>
    </message>
    <message>
        <source>화면 수직 중앙에 맞춤</source>
        <translation>Centre Vertically</translation>
    </message>
    <message>
        <source>화면 중앙에 맞춤</source>
        <translation>Centre on Screen</translation>
    </message>
    <message>
        <source>화면에 가득차게</source>
        <translation>Fill the Screen</translation>
    </message>
    <message>
        <source>라인 접점 연결</source>
        <translation>Join Line Ends</translation>
    </message>
    <message>
        <source>라인 접점 제거</source>
        <translation>Remove Line Joints</translation>
    </message>
    <message>
        <source>삭제	Del</source>
        <translation>Delete	Del</translation>
    </message>
    <message>
        <source>한 단계 앞으로</source>
        <translation>Bring Forward</translation>
    </message>
    <message>
        <source>한 단계 뒤로</source>
        <translation>Send Backward</translation>
    </message>
    <message>
        <source>확대</source>
        <translation>Enlarge</translation>
    </message>
    <message>
        <source>축소</source>
        <translation>Shrink</translation>
    </message>
    <message>
        <source>연결 안 됨</source>
        <translation>not connected</translation>
    </message>
    <message>
        <source>맨 앞으로</source>
        <translation>Bring to Front</translation>
    </message>
    <message>
        <source>맨 뒤로</source>
        <translation>Send to Back</translation>
    </message>
</context>
<context>
    <name>VyCore</name>
    <message>
        <source>파일이 잘못되었습니다.</source>
        <translation>The file is invalid.</translation>
    </message>
    <message>
        <source>비정상 종료로 인해 저장되지 않았던 작업을 복구합니다.</source>
        <translation>Restoring work that was not saved because of an abnormal end.</translation>
    </message>
    <message>
        <source>파일을 저장할 수 없습니다.</source>
        <translation>The file cannot be saved.</translation>
    </message>
    <message>
        <source>그래픽 데이터가 없습니다.</source>
        <translation>There is no graphic data.</translation>
    </message>
    <message>
        <source>기본</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>사용자 설정</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>C 배열</source>
        <translation>C array</translation>
    </message>
    <message>
        <source>소스 앞부분</source>
        <translation>Source header</translation>
    </message>
    <message>
        <source>행 앞부분</source>
        <translation>Line header</translation>
    </message>
    <message>
        <source>행 뒷부분</source>
        <translation>Line footer</translation>
    </message>
    <message>
        <source>행당 (최대) 바이트 수</source>
        <translation>(Maximum) bytes per line</translation>
    </message>
    <message>
        <source>한 행당 커맨드 바이트 수</source>
        <translation>Command bytes per line</translation>
    </message>
    <message>
        <source>행 구분</source>
        <translation>Line division</translation>
    </message>
    <message>
        <source>행 구분 방식</source>
        <translation>Line division method</translation>
    </message>
    <message>
        <source>바이트 앞부분</source>
        <translation>Byte prefix</translation>
    </message>
    <message>
        <source>바이트 뒷부분</source>
        <translation>Byte suffix</translation>
    </message>
    <message>
        <source>명령 코드를 알파벳으로</source>
        <translation>Command codes as letters</translation>
    </message>
    <message>
        <source>바이트 수에 따라</source>
        <translation>By byte count</translation>
    </message>
    <message>
        <source>커맨드에 따라</source>
        <translation>By command</translation>
    </message>
    <message>
        <source>팁 : Tab 키를 누르면 근처에 있는 객체끼리 선택 전환할 수 있습니다.</source>
        <translation>Tip: the Tab key moves the selection between nearby objects.</translation>
    </message>
    <message>
        <source>팁 : Ctrl키를 누른 상태로 객체를 생성하면 정방형으로 생성됩니다.</source>
        <translation>Tip: holding Ctrl while creating an object makes it square.</translation>
    </message>
    <message>
        <source>팁 : Shift키를 누른 상태로 객체를 생성하면 대칭형으로 생성됩니다.</source>
        <translation>Tip: holding Shift while creating an object makes it symmetric about the press point.</translation>
    </message>
    <message>
        <source>알림</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>객체가 올바르게 선택되지 않았습니다.</source>
        <translation>The objects are not selected properly.</translation>
    </message>
    <message>
        <source>두 객체가 모두 라인이어야 접점 연결이 가능합니다.</source>
        <translation>Both objects must be lines to join their ends.</translation>
    </message>
    <message>
        <source>올바른 템플릿 이름을 입력하세요.</source>
        <translation>Enter a valid template name.</translation>
    </message>
    <message>
        <source>이미 존재하는 템플릿 이름입니다.</source>
        <translation>A template of this name exists already.</translation>
    </message>
    <message>
        <source>템플릿을 저장할 수 없습니다.</source>
        <translation>The template cannot be saved.</translation>
    </message>
    <message>
        <source>템플릿을 로드할 수 없습니다.</source>
        <translation>The template cannot be loaded.</translation>
    </message>
    <message>
        <source>포트가 열려있지 않아서 데이터를 LCD로 전송할 수 없습니다.</source>
        <translation>The port is not open, so the data cannot be sent to the LCD.</translation>
    </message>
    <message>
        <source>LCD 연결이 안 되었거나 펌웨어가 구버전이거나 포트번호/보레이트 설정이 맞지 않습니다.</source>
        <translation>The LCD is not connected, its firmware is old, or the port or baud rate setting is wrong.</translation>
    </message>
    <message>
        <source>고정</source>
        <translation>Fixed</translation>
    </message>
    <message>
        <source>가변</source>
        <translation>Proportional</translation>
    </message>
    <message>
        <source>프로그램을 %1 이상으로 업데이트해야 읽을 수 있는 파일입니다.</source>
        <translation>This file can only be read after updating the program to %1 or later.</translation>
    </message>
    <message>
        <source>%1의 길이는 %2~%3자여야 합니다.</source>
        <translation>%1 must be %2 to %3 characters long.</translation>
    </message>
    <message>
        <source>%1은(는) 숫자로만 구성되야합니다.</source>
        <translation>%1 must consist of digits only.</translation>
    </message>
    <message>
        <source>%1은(는) %2 이상이어야 합니다.</source>
        <translation>%1 must be at least %2.</translation>
    </message>
    <message>
        <source>%1은(는) %2 이하여야 합니다.</source>
        <translation>%1 must be at most %2.</translation>
    </message>
    <message>
        <source>%1번 포트는 이미 사용중이거나 존재하지 않는 포트입니다.</source>
        <translation>Port %1 is in use already or does not exist.</translation>
    </message>
    <message>
        <source>%1번 포트가 열리지 않습니다.</source>
        <translation>Port %1 does not open.</translation>
    </message>
    <message>
        <source>%1 열 수 없음</source>
        <translation>Cannot open %1</translation>
    </message>
    <message>
        <source>템플릿 이름에 다음 문자가 올 수 없습니다.%1</source>
        <translation>A template name cannot hold these characters:%1</translation>
    </message>
    <message>
        <source>%1 포트를 열 권한이 없습니다. 이 장치는 &apos;%2&apos; 그룹의 사용자만 열 수 있습니다. &apos;sudo usermod -aG %3 $USER&apos; 명령으로 사용자를 이 그룹에 추가한 뒤 다시 로그인하세요.</source>
        <translation>You have no permission to open port %1. Only users of the group &apos;%2&apos; may open this device. Add yourself to the group with &apos;sudo usermod -aG %3 $USER&apos;, then log out and in again.</translation>
    </message>
    <message>
        <source>%1 포트는 다른 프로그램(%2)이 사용 중입니다. 그 프로그램을 닫은 뒤 다시 시도하세요.</source>
        <translation>Port %1 is in use by another program (%2). Close that program and try again.</translation>
    </message>
    <message>
        <source>%1 포트는 다른 프로그램이 사용 중입니다. 그 프로그램을 닫은 뒤 다시 시도하세요.</source>
        <translation>Port %1 is in use by another program. Close that program and try again.</translation>
    </message>
</context>
<context>
    <name>VyNotice</name>
    <message>
        <source>알림</source>
        <translation>Notice</translation>
    </message>
</context>
<context>
    <name>VyStudioPrompts</name>
    <message>
        <source>VYLCD 에디트 작업(*.VYD);;모든 파일(*.*)</source>
        <translation>VYLCD edit work (*.VYD);;All files (*.*)</translation>
    </message>
    <message>
        <source>VYLCD 스튜디오</source>
        <translation>VYLCD Studio</translation>
    </message>
    <message>
        <source>변경된 작업을 저장하시겠습니까?</source>
        <translation>Do you want to save your changes?</translation>
    </message>
    <message>
        <source>예</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>아니요</source>
        <translation>No</translation>
    </message>
    <message>
        <source>취소</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>저장할 작업 파일 이름을 정해주세요.</source>
        <translation>Name the work file to save.</translation>
    </message>
    <message>
        <source>LCD 화면을 PNG로 저장</source>
        <translation>Save LCD Screen as PNG</translation>
    </message>
    <message>
        <source>열기</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>소스를 파일로 저장</source>
        <translation>Save Source to File</translation>
    </message>
    <message>
        <source>PNG 그림, 1배 크기(*.png)</source>
        <translation>PNG picture, 1x (*.png)</translation>
    </message>
    <message>
        <source>PNG 그림, 2배 크기(*.png)</source>
        <translation>PNG picture, 2x (*.png)</translation>
    </message>
    <message>
        <source>PNG 그림, 3배 크기(*.png)</source>
        <translation>PNG picture, 3x (*.png)</translation>
    </message>
    <message>
        <source>모든 파일(*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>C/C++ 소스(*.c *.h *.ino)</source>
        <translation>C/C++ source (*.c *.h *.ino)</translation>
    </message>
    <message>
        <source>Python 스크립트(*.py)</source>
        <translation>Python script (*.py)</translation>
    </message>
</context>
</TS>
